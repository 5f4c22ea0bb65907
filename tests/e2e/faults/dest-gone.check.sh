source "$E2E_DIR/install/checks.sh"

names=(one.txt big.dat two.txt)
for name in "${names[@]}"; do
    check_same_file "C:\\DELAPP\\$name" "$WORK/product/files/$name"
done
check_only_files 'C:\DELAPP' "${names[@]}" setuplog.txt
check_install_log 'C:\DELAPP' "Vanish Test" < <(printf '%s\n' 'Created Directory C:\DELAPP';
    printf 'Copied File C:\\DELAPP\\%s\n' "${names[@]}")
