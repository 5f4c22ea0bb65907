source "$E2E_DIR/install/checks.sh"

# Replaced: an older file under IfOlder, any file under Always, the Ask items answered or
# remembered Replace, a missing file under any mode. Kept: a file as old or newer under
# IfOlder, any under Never or an unknown mode, the Ask item answered "Do not install".
files="$WORK/product/files"
for name in older always mode9 ask2 ask3 ask4 packed ro1 ro2; do
    check_same_file "C:\\OWAPP\\$name.txt" "$files/$name.txt"
    check_same_write_time "C:\\OWAPP\\$name.txt" "$files/$name.txt"
done
check_file_text 'C:\OWAPP\same.txt' $'old same\r\n'
check_file_text 'C:\OWAPP\newer.txt' $'old newer\r\n'
check_file_text 'C:\OWAPP\never.txt' $'old never\r\n'
check_file_text 'C:\OWAPP\mode0.txt' $'old mode0\r\n'
check_file_text 'C:\OWAPP\ask1.txt' $'old ask1\r\n'
check_write_time 'C:\OWAPP\newer.txt' '2021-01-01 00:00:00'

# A read-only destination is replaced; the new file is read-only only when the item says so.
check_read_only 'C:\OWAPP\ro1.txt'
check_writable 'C:\OWAPP\ro2.txt'

# No temporary copy of the version installation is left behind.
check_only_files 'C:\OWAPP' older.txt same.txt newer.txt never.txt always.txt mode0.txt \
    mode9.txt ask1.txt ask2.txt ask3.txt ask4.txt packed.txt ro1.txt ro2.txt setuplog.txt

# The directory existed: no "Created Directory" line. Kept files give no line either.
check_install_log 'C:\OWAPP' "Overwrite Test" <<'LOG'
Copied File C:\OWAPP\older.txt
Copied File C:\OWAPP\always.txt
Copied File C:\OWAPP\mode9.txt
Copied File C:\OWAPP\ask2.txt
Copied File C:\OWAPP\ask3.txt
Copied File C:\OWAPP\ask4.txt
Copied File C:\OWAPP\packed.txt
Copied File C:\OWAPP\ro1.txt
Copied File C:\OWAPP\ro2.txt
LOG
