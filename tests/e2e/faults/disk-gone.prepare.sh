# A big compressed file between small ones, on one disk; WORK/empty is the empty drive the
# disk is swapped for while the big file is copied.
source "$E2E_DIR/install/disks.sh"
source "$E2E_DIR/faults/faults.sh"
for name in one.txt two.txt three.txt; do
    source_file "$name" "$name"
done
make_big "$product_dir/files/big.dat" 60 3
fault_disks "$E2E_DIR/faults/disk-gone.toml"
fault_command
mkdir -p "$WORK/empty"
rm -rf "$DRIVE_C/GONEAPP"
