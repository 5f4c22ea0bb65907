source "$E2E_DIR/install/checks.sh"

files="$WORK/product/files"
for name in a.txt big.dat c.txt; do
    check_same_file "$WORK/drive-d/FULLAPP/$name" "$files/$name"
done
check_only_files "$WORK/drive-d/FULLAPP" a.txt big.dat c.txt setuplog.txt
check_install_log "$WORK/drive-d/FULLAPP" "Full Test" <<'LOG'
Copied File D:\FULLAPP\a.txt
Copied File D:\FULLAPP\big.dat
Copied File D:\FULLAPP\c.txt
LOG
