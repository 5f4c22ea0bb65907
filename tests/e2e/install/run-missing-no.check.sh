source "$E2E_DIR/install/checks.sh"

# Everything before the program is done, nothing after it.
check_only_files 'C:\RNAPP' first.txt late.txt setuplog.txt
check_only_files 'C:\RNAPP\WORK' kept.txt
check_install_log 'C:\RNAPP' "Run Test" <<'LOG'
Created Directory C:\RNAPP\WORK
Copied File C:\RNAPP\first.txt
Deleted File C:\RNAPP\old.txt
Deleted File C:\RNAPP\WORK\ran.txt
LOG
