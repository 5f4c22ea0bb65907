source "$E2E_DIR/install/checks.sh"

# Every file in its place with its bytes and times, the read-only one read-only, the joined
# file gone from the temporary directory, and the log of what was done (every directory level
# created has its line).
files="$WORK/product/files"
check_same_file 'C:\MDAPP\readme.txt' "$files/readme.txt"
check_same_file 'C:\MDAPP\app.exe' "$files/app.exe"
check_same_file 'C:\MDAPP\tiny.txt' "$files/tiny.txt"
check_same_file 'C:\MDAPP\empty.txt' "$files/empty.txt"
check_same_file 'C:\MDAPP\DATA\BIN\records.dat' "$files/records.dat"
check_same_file 'C:\MDAPP\DATA\BIN\ro.dat' "$files/ro.dat"
check_read_only 'C:\MDAPP\DATA\BIN\ro.dat'
check_writable 'C:\MDAPP\DATA\BIN\records.dat'
check_no_temporary_file 'records.da_'
# Installed files keep the last write of their source; the joined file that of its first piece.
check_same_write_time 'C:\MDAPP\app.exe' "$files/app.exe"
check_same_write_time 'C:\MDAPP\DATA\BIN\records.dat' "$WORK/disk2/records.da_"
check_write_time 'C:\MDAPP\DATA\BIN\ro.dat' '2001-02-03 04:05:06'

check_install_log 'C:\MDAPP' "Multi Disk" <<'LOG'
Created Directory C:\MDAPP
Created Directory C:\MDAPP\DATA
Created Directory C:\MDAPP\DATA\BIN
Copied File C:\MDAPP\readme.txt
Copied File C:\MDAPP\app.exe
Copied File C:\MDAPP\tiny.txt
Copied File C:\MDAPP\empty.txt
Copied File C:\MDAPP\DATA\BIN\records.dat
Copied File C:\MDAPP\DATA\BIN\ro.dat
LOG
