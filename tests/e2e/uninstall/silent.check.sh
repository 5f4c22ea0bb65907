# The product removed by its registered quiet command: no window, every object the
# installation made gone but the shared file (kept without /removeshared), and the run's log
# in the user's temporary folder with the messages, the answers and the outcome.
source "$E2E_DIR/uninstall/removal-lib.sh"
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\E2E Removal'
command=$(uninstall_command 'E2E Removal')
quiet=$(uninstall_command 'E2E Removal' QuietUninstallString)
[ -n "$command" ] && [ "$quiet" = "${command/.EXE /.EXE /silent }" ] ||
    check_fail "QuietUninstallString is \"$quiet\", for the command \"$command\""

# The group's folder window, opened at installation, is closed before the removal, which
# takes its folder away (Wine's shell may then close the window itself).
check_folder_windows "E2E Removal"
rm -f "$DRIVE_C"/users/*/[Tt]emp/kxun32-run.log
run_command silent-removal "$E2E_DIR/uninstall/silent-removal.scenario" "$quiet" ||
    check_fail "the silent removal did not end by itself with exit code 0"

check_no_file 'C:\RMAPP'
check_no_file 'C:\windows\E2EREM.INI'
check_no_reg_key 'HKCU\Software\E2E Removal Maker'
check_no_reg_key "$entry"
[ -z "$(find "$DRIVE_C/users" -ipath '*/Start Menu/Programs/E2E Removal' -print -quit)" ] ||
    check_fail "the program group E2E Removal should be gone"
check_file 'C:\RMSHARED\SHARED.DLL'
if wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\SharedDLLs' \
    /v 'C:\RMSHARED\SHARED.DLL' >/dev/null 2>&1 </dev/null; then
    check_fail "the shared file's count should be gone"
fi

log=$(find "$DRIVE_C/users" -ipath '*/temp/kxun32-run.log' -print -quit)
[ -n "$log" ] || log="$DRIVE_C/users/(none)/Temp/kxun32-run.log"
check_log_lines "$log" \
    'Question: Remove E2E Removal and all of its components?' \
    'Answer: Yes (silent removal)' \
    'Answer: No (kept: no /removeshared)' \
    'C:\RMSHARED\SHARED.DLL (shared, kept as you chose)' \
    'Outcome: removed, or nothing to remove (exit code 0)'
