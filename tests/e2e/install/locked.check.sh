source "$E2E_DIR/install/checks.sh"

check_file_text 'C:\LKAPP\a.dll' $'old a.dll\r\n'
check_file_text 'C:\LKAPP\b.dll' $'old b.dll\r\n'
check_same_file 'C:\LKAPP\c.dll' "$WORK/product/files/c.dll"
check_same_file 'C:\LKAPP\d.txt' "$WORK/product/files/d.txt"
# The version installation's temporary copies are gone.
check_only_files 'C:\LKAPP' a.dll b.dll c.dll d.txt setuplog.txt
check_install_log 'C:\LKAPP' "Lock Test" <<'LOG'
Copied File C:\LKAPP\c.dll
Copied File C:\LKAPP\d.txt
LOG
