source "$E2E_DIR/install/checks.sh"

check_same_file 'C:\RNAPP\first.txt' "$WORK/product/files/first.txt"
check_same_file 'C:\RNAPP\last.txt' "$WORK/product/files/last.txt"
# Deleted: old.txt, the marker of the waited-for run (made in its working directory), and
# late.txt after the disk prompt. The second run's marker stays.
check_only_files 'C:\RNAPP' first.txt last.txt setuplog.txt
check_only_files 'C:\RNAPP\WORK' kept.txt
check_install_log 'C:\RNAPP' "Run Test" <<'LOG'
Created Directory C:\RNAPP\WORK
Copied File C:\RNAPP\first.txt
Deleted File C:\RNAPP\old.txt
Deleted File C:\RNAPP\WORK\ran.txt
Copied File C:\RNAPP\last.txt
Deleted File C:\RNAPP\late.txt
LOG
