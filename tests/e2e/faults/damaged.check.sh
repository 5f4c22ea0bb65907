source "$E2E_DIR/install/checks.sh"

names=(good.txt trunc.dat bent.dat cut.dat gone.txt lost.txt last.txt)
for name in "${names[@]}"; do
    check_same_file "C:\\DMGAPP\\$name" "$WORK/product/files/$name"
done
check_only_files 'C:\DMGAPP' "${names[@]}" setuplog.txt
check_install_log 'C:\DMGAPP' "Damaged Test" < <(printf 'Copied File C:\\DMGAPP\\%s\n' "${names[@]}")
