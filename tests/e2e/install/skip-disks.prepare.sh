# The skip-disks product: a small file on disk 1, about 600 KB each on disks 2 and 3, the help
# on disk 4.
source "$E2E_DIR/install/disks.sh"
files="$product_dir/files"
printf 'Skip Disks base\r\n' >"$files/base.txt"
make_text "$files/extra1.dat" 17000 3
make_text "$files/extra2.dat" 17000 4
printf 'Skip Disks help\r\n' >"$files/help.txt"
make_disks "$E2E_DIR/install/skip-disks.toml"
ls -lR "$WORK/disks"
# The set's labels, for the autopilot.
for n in 1 2 3 4; do printf 'disk%d\tSkip Disks %d\n' "$n" "$n"; done >"$WORK/disk-labels.txt"
