# A big compressed file between two small ones, and an old big.dat at the destination.
source "$E2E_DIR/install/disks.sh"
source "$E2E_DIR/faults/faults.sh"
source_file first.txt "first"
make_big "$product_dir/files/big.dat" 40 4
source_file last.txt "last"
fault_disks "$E2E_DIR/faults/kill.toml"
fault_command
rm -rf "$DRIVE_C/KILLAPP"
existing_file 'C:\KILLAPP\big.dat' "old big.dat" '2019-01-01 00:00:00'
cp "$DRIVE_C/KILLAPP/big.dat" "$WORK/old-big.dat"
