# What was in use or the user's stays, read-only as installed; everything else is gone.
source "$E2E_DIR/install/checks.sh"
touch "$WORK/RELEASE.TXT"
check_only_files 'C:\RMAPP' DATA.TXT
check_only_files 'C:\RMAPP\HELP' NOTES.TXT
check_read_only 'C:\RMAPP\DATA.TXT'
check_no_file 'C:\RMSHARED'
check_no_reg_key 'HKCU\Software\E2E Removal Maker'
check_no_reg_key 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\E2E Removal'

# The group's folder window, opened at installation, is closed if the removal left it open.
close_folder_windows "E2E Removal"
