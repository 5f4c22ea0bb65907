source "$E2E_DIR/install/checks.sh"

# Cancel came while the first file or the program was in hand (the program alone runs for
# five seconds): that item was finished and nothing after it was started. Whatever is there
# is whole, and the log names exactly that.
files="$WORK/product/files"
check_same_file 'C:\CNAPP\f1.dat' "$files/f1.dat"
expected=$'Created Directory C:\\CNAPP\nCopied File C:\\CNAPP\\f1.dat'
present=(f1.dat setuplog.txt)
if [ -e "$(check_unix_path 'C:\CNAPP\f2.dat')" ]; then
    check_same_file 'C:\CNAPP\f2.dat' "$files/f2.dat"
    expected+=$'\nCopied File C:\\CNAPP\\f2.dat'
    present+=(f2.dat)
    # The program runs only after f2; once started it was finished.
    if [ -e "$(check_unix_path 'C:\CNAPP\slept.txt')" ]; then
        present+=(slept.txt)
    fi
fi
check_only_files 'C:\CNAPP' "${present[@]}"
check_install_log 'C:\CNAPP' "Cancel Test" <<<"$expected"
echo "cancelled with ${present[*]} in place"
