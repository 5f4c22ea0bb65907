# New a.dll, b.dll, c.dll and d.txt; old a.dll, b.dll and c.dll in C:\LKAPP. The folder
# "release" is disk 1 with RELEASE.TXT added: inserting it releases the locked files.
source "$E2E_DIR/install/disks.sh"
for name in a.dll b.dll c.dll d.txt; do
    source_file "$name" "new $name"
done
make_disks "$E2E_DIR/install/locked.toml"
put_on_disk "$filelock" FILELOCK.EXE
cp -r "$WORK/disks/disk1" "$WORK/release"
touch "$WORK/release/RELEASE.TXT"
rm -rf "$DRIVE_C/LKAPP"
for name in a.dll b.dll c.dll; do
    existing_file "C:\\LKAPP\\$name" "old $name" '2019-01-01 00:00:00'
done
