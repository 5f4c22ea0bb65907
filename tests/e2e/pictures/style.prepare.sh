# Makes the pictures and the disks of a picture scenario: the scenario pictures_NAME is built
# from NAME.toml in this folder. style1 also gets 4000 Delete items of files that do not
# exist, each said to need 4294967295 bytes, so that the space check stops the run with its
# dialog.
source "$E2E_DIR/install/disks.sh"
scenario=$(basename "$WORK")
name=${scenario#pictures_}
python3 "$E2E_DIR/pictures/pictures.py" make "$product_dir/files"
cp "$E2E_DIR/pictures/$name.toml" "$WORK/$name.toml"
if [ "$name" = style1 ]; then
    for n in $(seq 1 4000); do
        printf '[[install]]\nname = "C:\\\\PICTURES1\\\\none%d.txt"\naction = "delete"\n' "$n"
        printf 'size = 4294967295\n\n'
    done >>"$WORK/$name.toml"
fi
make_disks "$WORK/$name.toml"
