# Installed and removed again: the prefix is as it was, but for the shared uninstaller (its
# file and its SharedDLLs count), which other products' entries may still start.
source "$E2E_DIR/uninstall/removal-lib.sh"

left=$(prefix_changes "$BEFORE" "$AFTER" | grep -v 'KXUN32\.EXE')
[ -z "$left" ] || check_fail "the removal left changes behind:
$left"
check_file 'C:\windows\KXUN32.EXE'
check_no_reg_key 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Sample Notepad'

# A second start finds nothing to remove and says so.
run_command again "$E2E_DIR/uninstall/nothing-left.scenario" "$REMOVAL_COMMAND" ||
    check_fail "the second start did not say that there is nothing to remove"

# The group's folder window, opened at installation, is closed if the removal left it open.
close_folder_windows "Sample Notepad"
