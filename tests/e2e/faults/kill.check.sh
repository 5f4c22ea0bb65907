source "$E2E_DIR/install/checks.sh"
source "$E2E_DIR/faults/faults.sh"

files="$WORK/product/files"
check_same_file 'C:\KILLAPP\first.txt' "$files/first.txt"
check_same_file 'C:\KILLAPP\big.dat' "$files/big.dat"
check_same_file 'C:\KILLAPP\last.txt' "$files/last.txt"
# The killed run's temporary file stays: nothing is left to remove it (see check_killed_temp).
check_killed_temp 'C:\KILLAPP' first.txt big.dat last.txt setuplog.txt
check_install_log 'C:\KILLAPP' "Kill Test" <<'LOG'
Copied File C:\KILLAPP\first.txt
Copied File C:\KILLAPP\big.dat
Copied File C:\KILLAPP\last.txt
LOG
