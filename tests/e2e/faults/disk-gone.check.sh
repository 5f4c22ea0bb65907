source "$E2E_DIR/install/checks.sh"

names=(one.txt big.dat two.txt three.txt)
for name in "${names[@]}"; do
    check_same_file "C:\\GONEAPP\\$name" "$WORK/product/files/$name"
done
check_only_files 'C:\GONEAPP' "${names[@]}" setuplog.txt
check_install_log 'C:\GONEAPP' "Gone Test" < <(printf '%s\n' 'Created Directory C:\GONEAPP';
    printf 'Copied File C:\\GONEAPP\\%s\n' "${names[@]}")
