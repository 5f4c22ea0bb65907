# New first, second, missing and third; first, second and third already in C:\ASKAPP.
source "$E2E_DIR/install/disks.sh"
for name in first second missing third; do
    source_file "$name.txt" "new $name"
done
make_disks "$E2E_DIR/install/ask-all.toml"
rm -rf "$DRIVE_C/ASKAPP"
for name in first second third; do
    existing_file "C:\\ASKAPP\\$name.txt" "old $name" '2019-01-01 00:00:00'
done
