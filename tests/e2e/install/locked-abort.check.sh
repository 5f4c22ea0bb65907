source "$E2E_DIR/install/checks.sh"

# Nothing was replaced and nothing after the aborted file was done.
check_file_text 'C:\LKAPP\a.dll' $'old a.dll\r\n'
check_file_text 'C:\LKAPP\b.dll' $'old b.dll\r\n'
check_file_text 'C:\LKAPP\c.dll' $'old c.dll\r\n'
check_only_files 'C:\LKAPP' a.dll b.dll c.dll setuplog.txt
check_install_log 'C:\LKAPP' "Lock Test" </dev/null
