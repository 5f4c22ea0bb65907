# After an Abort and a second run: what was the product's as installed is gone, everything
# else is as the other programs and the user left it.
source "$E2E_DIR/uninstall/removal-lib.sh"
source "$E2E_DIR/uninstall/guard-lib.sh"
touch "$WORK/RELEASE.TXT"
sleep 1
run_command again "$E2E_DIR/uninstall/remove-guard-again.scenario" "$REMOVAL_COMMAND" ||
    check_fail "the second removal did not hold"
# Each run's closing message lists what it kept.
closing=$(grep -hF 'box: "E2E Guard" "E2E Guard was' "$WORK/removal-transcript.txt" \
    "$WORK/again-transcript.txt")
for kept in 'GUARDLIB.DLL (it was there before the installation)' \
    'NOTES.TXT (changed since the installation)' 'setuplog.txt (changed since the installation)' \
    'GRT.DLL (shared, still used by other programs)' \
    'E2E Guard Shared value Theme (changed since the installation)' \
    '[Guard] Level in GUARDWIN.INI (changed since the installation)'; do
    [[ "$closing" == *"$kept"* ]] || check_fail "the closing message does not list $kept: $closing"
done

# The product's own files, directories, keys and entry are gone.
check_no_file 'C:\GUARD MAKER\APP\README.TXT'
check_no_file 'C:\GUARD MAKER\APP\DATA.TXT'
check_no_file 'C:\GUARD MAKER\APP\SETUP.INF'
[ -z "$(find "$DRIVE_C/GUARD MAKER/APP" -maxdepth 1 -iname 'setuprec-*')" ] ||
    check_fail "the removal record stayed"
check_no_reg_key 'HKCU\Software\E2E Guard Maker'
check_no_reg_key "$guard_entry"

# What the user changed, and what others use, stays; so do the directories that hold it.
check_file_contains 'C:\GUARD MAKER\APP\NOTES.TXT' 'my own notes'
check_file 'C:\GUARD MAKER\APP\RUNTIME\GRT.DLL'
check_file 'C:\windows\system32\GUARDLIB.DLL'
check_file_contains 'C:\GUARD MAKER\APP\setuplog.txt' 'GUARDFOREIGN.DLL'

# The runtime's count was lowered once, though the removal ran twice; the uninstaller's is
# back where it was.
grt=$(shared_count 'GRT.DLL')
[[ "$grt" == *"REG_BINARY    01000000" ]] || check_fail "GRT.DLL's count: $grt"
[ "$(shared_count 'KXUN32.EXE')" = "$(cat "$WORK/kxun32-count.txt")" ] ||
    check_fail "the uninstaller's count is $(shared_count 'KXUN32.EXE'), was $(cat "$WORK/kxun32-count.txt")"

# Other programs' INI keys stay, overwritten ones are back, a key changed since stays.
check_ini 'C:\windows\GUARDWIN.INI' Extensions txt 'notepad.exe ^.txt'
check_ini 'C:\windows\GUARDWIN.INI' Extensions doc 'write.exe ^.doc'
check_ini 'C:\windows\GUARDWIN.INI' Colors Window '255 255 255'
check_ini 'C:\windows\GUARDWIN.INI' Guard Level '2'
if grep -qi '^gdx=' "$DRIVE_C/windows/GUARDWIN.INI"; then
    check_fail "the product's INI key gdx stayed"
fi
check_reg 'HKCU\Software\E2E Guard Shared' Owner 'Other Program'
check_reg 'HKCU\Software\E2E Guard Shared' Theme 'light'

# The lines appended to the log named things that are not the product's: all there.
check_file 'C:\windows\system32\GUARDFOREIGN.DLL'
check_ini 'C:\windows\GUARDSYS.INI' boot shell 'Explorer.exe'
check_reg 'HKCU\Software\E2E Guard Foreign' Keep 'yes'

# The existing group keeps its folder; only the product's item left it.
startup=$(find "$DRIVE_C/users" -type d -ipath '*/Start Menu/Programs/StartUp' -print -quit)
[ -n "$startup" ] || check_fail "the StartUp group's folder is gone"
[ -z "$(find "$DRIVE_C/users" -iname 'Guard Monitor.lnk')" ] || check_fail "Guard Monitor stayed"
