# 4000 Delete items of files that do not exist, each said to need 4294967295 bytes: about
# 17 TB on drive C:, more than any test machine has free, and more than 32 bits can count.
source "$E2E_DIR/install/disks.sh"
source_file real.txt "real"
cp "$E2E_DIR/install/no-space.toml" "$WORK/no-space.toml"
for n in $(seq 1 4000); do
    printf '[[install]]\nname = "C:\\\\SPAPP\\\\none%d.txt"\naction = "delete"\nsize = 4294967295\n\n' \
        "$n" >>"$WORK/no-space.toml"
done
make_disks "$WORK/no-space.toml"
rm -rf "$DRIVE_C/SPAPP"
