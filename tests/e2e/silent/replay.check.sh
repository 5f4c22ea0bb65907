# The answers recorded from the wizard, replayed by a silent run after the removal, make the
# same prefix: the same files with the same contents, registry and INI entries (but for the
# removal record, which holds the times the files were written, and its digest, and for the
# settings Wine's shell writes when it shows a folder, whenever that is).
source "$E2E_DIR/uninstall/removal-lib.sh"
answers="$DRIVE_C/REPLAY.INI"
[ -f "$answers" ] || check_fail "the recorded run wrote no answer file"
tr -d '\r' <"$answers" | grep -qix 'Destination=C:\\Replay Dest\\Notepad' ||
    check_fail "the answer file does not hold the destination typed"
quiet=$(uninstall_command 'Sample Notepad' QuietUninstallString)
prefix_snapshot "$WORK/recorded" || check_fail "no snapshot after the recorded run"
"$WINE_RUN" cmd /c "$quiet" || check_fail "the quiet removal after the recorded run failed"
wait_until_removed 'Sample Notepad' || check_fail "the removal after the recorded run did not end"
"$WINE_RUN" "$(windows_path "$DISK/SETUP.EXE")" /silent '/answers:C:\REPLAY.INI'
code=$?
[ $code -eq 0 ] || check_fail "the replay ended with exit code $code"
prefix_snapshot "$WORK/replayed" || check_fail "no snapshot after the replay"
changes=$(prefix_changes "$WORK/recorded" "$WORK/replayed" |
    grep -Ev 'REPLAY\.INI|/setuprec-[0-9a-f]+\.txt$|"SetupkitDigest"=|\\Explorer\\Advanced\]')
[ -z "$changes" ] || check_fail "the replay's prefix differs from the recorded run's: $changes"
"$WINE_RUN" cmd /c "$quiet" || check_fail "the quiet removal after the replay failed"
wait_until_removed 'Sample Notepad' || check_fail "the removal after the replay did not end"
rm -f "$answers"
