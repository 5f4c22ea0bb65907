source "$E2E_DIR/install/checks.sh"

check_file_text 'C:\ASKAPP\first.txt' $'old first\r\n'
check_file_text 'C:\ASKAPP\second.txt' $'old second\r\n'
check_file_text 'C:\ASKAPP\third.txt' $'old third\r\n'
check_same_file 'C:\ASKAPP\missing.txt' "$WORK/product/files/missing.txt"
check_only_files 'C:\ASKAPP' first.txt second.txt missing.txt third.txt setuplog.txt
check_install_log 'C:\ASKAPP' "Ask Test" <<'LOG'
Copied File C:\ASKAPP\missing.txt
LOG
