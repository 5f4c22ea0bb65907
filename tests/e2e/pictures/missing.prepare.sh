# The disks of missing.toml, without the background picture the script names.
source "$E2E_DIR/install/disks.sh"
python3 "$E2E_DIR/pictures/pictures.py" make "$product_dir/files"
make_disks "$E2E_DIR/pictures/missing.toml"
rm "$WORK/disks/disk1/pattern.bm_"
