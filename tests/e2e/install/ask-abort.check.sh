source "$E2E_DIR/install/checks.sh"

# The file before the question is in, the one asked about is kept, nothing after it is done.
check_same_file 'C:\ASKAPP\first.txt' "$WORK/product/files/first.txt"
check_file_text 'C:\ASKAPP\second.txt' $'old second\r\n'
check_file_text 'C:\ASKAPP\third.txt' $'old third\r\n'
check_only_files 'C:\ASKAPP' first.txt second.txt third.txt setuplog.txt
check_install_log 'C:\ASKAPP' "Ask Test" <<'LOG'
Copied File C:\ASKAPP\first.txt
LOG
