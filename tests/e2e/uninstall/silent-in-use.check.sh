# A silent removal with every switch while another program holds DATA.TXT open: the file is
# tried again a second apart, then kept and listed; the shared file goes (/removeshared); the
# log goes where /log: names it, a path with a blank.
source "$E2E_DIR/uninstall/removal-lib.sh"
# The group's folder window, opened at installation, is closed before the removal, which
# takes its folder away (Wine's shell may then close the window itself).
check_folder_windows "E2E Removal"
bash "$E2E_DIR/uninstall/hold-and-add.sh" || check_fail "DATA.TXT could not be held open"
log="$WORK/silent run.log"
quiet=$(uninstall_command 'E2E Removal')
quiet="${quiet/.EXE /.EXE /removeshared /log:\"$(windows_path "$log")\" /silent }"
run_command silent-in-use "$E2E_DIR/uninstall/silent-removal.scenario" "$quiet" ||
    check_fail "the silent removal did not end by itself with exit code 0"
touch "$WORK/RELEASE.TXT"

check_file 'C:\RMAPP\DATA.TXT'
check_no_file 'C:\RMAPP\README.TXT'
check_no_file 'C:\RMSHARED'
check_no_reg_key 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\E2E Removal'
check_log_lines "$log" 'Answer: Yes (/removeshared)' \
    'Question: C:\RMAPP\DATA.TXT cannot be removed: it may be in use by another program.' \
    'Answer: Retry (try 2 of 5)' \
    'Answer: Ignore (kept after 5 tries)' \
    '    C:\RMAPP\DATA.TXT (in use)' \
    'Outcome: removed, or nothing to remove (exit code 0)'
if [ -f "$log" ] && [ "$(grep -c '^Answer: Retry' "$log")" -ne 4 ]; then
    check_fail "DATA.TXT should be tried 5 times"
fi
