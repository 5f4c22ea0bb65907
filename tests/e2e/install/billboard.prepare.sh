source "$E2E_DIR/install/disks.sh"
# A picture with no white in it, so that the screen tells whether it is shown.
convert -size 200x150 xc:'rgb(0,128,0)' -type TrueColor BMP3:"$product_dir/files/logo.bmp"
cp "$product_dir/files/logo.bmp" "$product_dir/files/missing.bmp"
source_file after.txt "after"
make_disks "$E2E_DIR/install/billboard.toml"
# The second picture is listed but not on the disk.
rm "$WORK/disks/disk1/missing.bmp"
rm -rf "$DRIVE_C/BBAPP"
