source "$E2E_DIR/install/checks.sh"
source "$E2E_DIR/faults/faults.sh"

check_whole_install 'C:\GONEAPP' "Gone Test" one.txt big.dat two.txt three.txt
