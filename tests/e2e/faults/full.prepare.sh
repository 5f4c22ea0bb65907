# Drive D: is a tmpfs of 4 MB that another program has filled up to its last MB; big.dat
# expands to 2 MB although the product says 1000 bytes.
source "$E2E_DIR/install/disks.sh"
source "$E2E_DIR/faults/faults.sh"
source_file a.txt "a"
make_big "$product_dir/files/big.dat" 2 1
source_file c.txt "c"
fault_disks "$E2E_DIR/faults/full.toml"
fault_command
fault_tmpfs d 4m
head -c 3000000 /dev/zero >"$WORK/drive-d/other.bin"
