# The sources (last written 2020-06-15 12:00) and what is already in C:\OWAPP.
source "$E2E_DIR/install/disks.sh"
for name in older same newer never always mode0 mode9 ask1 ask2 ask3 ask4 ro1 ro2; do
    source_file "$name.txt" "new $name"
done
make_text "$product_dir/files/packed.txt" 2000 3
touch -d '2020-06-15 12:00:00' "$product_dir/files/packed.txt"
make_disks "$E2E_DIR/install/overwrite.toml"

rm -rf "$DRIVE_C/OWAPP"
existing_file 'C:\OWAPP\older.txt' "old older" '2019-01-01 00:00:00'
existing_file 'C:\OWAPP\same.txt' "old same" same
existing_file 'C:\OWAPP\newer.txt' "old newer" '2021-01-01 00:00:00'
existing_file 'C:\OWAPP\never.txt' "old never" '2019-01-01 00:00:00'
existing_file 'C:\OWAPP\always.txt' "old always" '2021-01-01 00:00:00'
existing_file 'C:\OWAPP\mode0.txt' "old mode0" '2019-01-01 00:00:00'
existing_file 'C:\OWAPP\ask1.txt' "old ask1" '2019-01-01 00:00:00'
existing_file 'C:\OWAPP\ask2.txt' "old ask2" '2019-01-01 00:00:00'
existing_file 'C:\OWAPP\ask3.txt' "old ask3" '2021-01-01 00:00:00'
existing_file 'C:\OWAPP\packed.txt' "old packed" '2019-01-01 00:00:00'
existing_file 'C:\OWAPP\ro1.txt' "old ro1" '2019-01-01 00:00:00'
existing_file 'C:\OWAPP\ro2.txt' "old ro2" '2019-01-01 00:00:00'
# Wine shows a file without write permission as read-only.
chmod a-w "$DRIVE_C/OWAPP/ro1.txt" "$DRIVE_C/OWAPP/ro2.txt"
