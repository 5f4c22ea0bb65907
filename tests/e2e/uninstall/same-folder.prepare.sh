# The add-on is installed into C:\RMAPP before the scenario's product.
source "$E2E_DIR/uninstall/clean.prepare.sh"
source "$E2E_DIR/uninstall/removal-lib.sh"
wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\E2E Removal Addon' /f \
    >/dev/null 2>&1 </dev/null
install_product addon "$E2E_DIR/uninstall/removal-addon.toml" "$E2E_DIR/uninstall/install.scenario"
