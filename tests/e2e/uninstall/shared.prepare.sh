# A second product that shares SHARED.DLL is installed before the scenario's product.
source "$E2E_DIR/uninstall/clean.prepare.sh"
source "$E2E_DIR/uninstall/removal-lib.sh"
install_product two "$E2E_DIR/uninstall/removal-two.toml" "$E2E_DIR/uninstall/install.scenario"
