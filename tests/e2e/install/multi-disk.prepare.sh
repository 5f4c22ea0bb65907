# The multi-disk product: its files, then four 1.44M disks.
source "$E2E_DIR/install/disks.sh"
files="$product_dir/files"
printf 'Multi Disk read me\r\n' >"$files/readme.txt"
make_text "$files/app.exe" 3000 1
printf 'x' >"$files/tiny.txt"
: >"$files/empty.txt"
# About 3.3 MB once compressed: three pieces on 1.44M disks.
make_text "$files/records.dat" 340000 2
printf 'read-only data\r\n' >"$files/ro.dat"
touch -d '2001-02-03 04:05:06' "$files/ro.dat"
make_disks "$E2E_DIR/install/multi-disk.toml"
ls -lR "$WORK/disks"
