# The program to run on disk 1; old.txt and late.txt to delete in C:\RNAPP.
source "$E2E_DIR/install/disks.sh"
source_file first.txt "first"
source_file last.txt "last"
make_disks "$E2E_DIR/install/run-delete.toml"
put_on_disk "$sleeper" SLEEPER.EXE
# The disk builder numbers the disks of the items itself; the last Delete item is moved to
# disk 2 in the script afterwards.
"$SETUPKIT" dump "$WORK/disk1/SETUP.INF" >"$WORK/dumped.toml"
awk '{ print } /^name = "C:\\\\RNAPP\\\\late.txt"$/ { print "disk = 2" }' "$WORK/dumped.toml" \
    >"$WORK/late-on-disk2.toml"
grep -q '^disk = 2$' "$WORK/late-on-disk2.toml"
"$SETUPKIT" compile "$WORK/late-on-disk2.toml" -o "$WORK/disk1/SETUP.INF"
# Disk 2 holds no file of the script; it only has to be there.
mkdir -p "$WORK/disks/disk2"
ln -sfn disks/disk2 "$WORK/disk2"
rm -rf "$DRIVE_C/RNAPP"
existing_file 'C:\RNAPP\old.txt' "old" '2019-01-01 00:00:00'
existing_file 'C:\RNAPP\late.txt' "late" '2019-01-01 00:00:00'
