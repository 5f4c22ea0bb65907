# A big compressed file between two small ones; the scenario deletes the destination folder
# while the big file is copied into it.
source "$E2E_DIR/install/disks.sh"
source "$E2E_DIR/faults/faults.sh"
source_file one.txt "one"
make_big "$product_dir/files/big.dat" 60 5
source_file two.txt "two"
fault_disks "$E2E_DIR/faults/dest-gone.toml"
rm -rf "$DRIVE_C/DELAPP"
fault_command
