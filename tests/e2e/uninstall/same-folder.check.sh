# The add-on's removal left the other product whole; that product's removal then empties the
# folder.
source "$E2E_DIR/uninstall/removal-lib.sh"
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\E2E Removal'
check_no_file 'C:\RMAPP\ADDON.TXT'
check_file 'C:\RMAPP\README.TXT'
check_file 'C:\RMAPP\DATA.TXT'
check_file 'C:\RMAPP\HELP\GUIDE.TXT'
check_no_reg_key "$entry Addon"
check_reg "$entry" DisplayName 'E2E Removal'

run_command last-removal "$E2E_DIR/uninstall/remove-last-of-two.scenario" \
    "$(uninstall_command 'E2E Removal')" || check_fail "the last product's removal"
check_no_file 'C:\RMAPP'
check_no_reg_key "$entry"

# The group's folder window, opened at installation, is closed if the removal left it open.
close_folder_windows "E2E Removal"
