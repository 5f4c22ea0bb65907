# Of two products that share a file, the first removed keeps it for the other; the second
# removes it.
source "$E2E_DIR/uninstall/removal-lib.sh"
shared_dlls='HKLM\Software\Microsoft\Windows\CurrentVersion\SharedDLLs'

check_no_file 'C:\RMAPP'
check_no_reg_key 'HKCU\Software\E2E Removal Maker'
check_file 'C:\RMSHARED\SHARED.DLL'
check_reg "$shared_dlls" 'C:\RMSHARED\SHARED.DLL' '01000000'
check_file 'C:\RMTWO\README.TXT'

run_command two-removal "$E2E_DIR/uninstall/remove-shared-last.scenario" \
    "$(uninstall_command 'E2E Removal Two')" || check_fail "the second product's removal"
check_no_file 'C:\RMSHARED'
check_no_file 'C:\RMTWO'
if wine reg query "$shared_dlls" /v 'C:\RMSHARED\SHARED.DLL' >/dev/null 2>&1 </dev/null; then
    check_fail "the shared file's count should be gone with the file"
fi

# The group's folder window, opened at installation, is closed if the removal left it open.
close_folder_windows "E2E Removal"
