# As ask-all, but the first file is missing and the second one is asked about.
source "$E2E_DIR/install/disks.sh"
for name in first second missing third; do
    source_file "$name.txt" "new $name"
done
make_disks "$E2E_DIR/install/ask-all.toml"
rm -rf "$DRIVE_C/ASKAPP"
for name in second third; do
    existing_file "C:\\ASKAPP\\$name.txt" "old $name" '2019-01-01 00:00:00'
done
