# The prefix as other programs left it: an INI file whose sections hold their keys, a library in
# the system directory, a registry value the product overwrites, and things of theirs that
# lines appended to the install log will name (guard.between.sh). The uninstaller's count is
# noted, to see it back after installation and removal.
source "$E2E_DIR/uninstall/clean.prepare.sh"
source "$E2E_DIR/uninstall/guard-lib.sh"
rm -rf "$DRIVE_C/GUARD MAKER"
wine reg delete 'HKCU\Software\E2E Guard Maker' /f >/dev/null 2>&1 </dev/null
wine reg delete "$guard_entry" /f >/dev/null 2>&1 </dev/null
printf '[Extensions]\r\ntxt=notepad.exe ^.txt\r\ndoc=write.exe ^.doc\r\n\r\n[Colors]\r\nWindow=255 255 255\r\n' \
    >"$DRIVE_C/windows/GUARDWIN.INI"
printf '[boot]\r\nshell=Explorer.exe\r\n' >"$DRIVE_C/windows/GUARDSYS.INI"
printf 'another program'"'"'s library\r\n' >"$system_dir/GUARDLIB.DLL"
printf 'another program'"'"'s foreign library\r\n' >"$system_dir/GUARDFOREIGN.DLL"
wine reg add 'HKCU\Software\E2E Guard Shared' /v Owner /d 'Other Program' /f >/dev/null 2>&1 </dev/null
wine reg delete 'HKCU\Software\E2E Guard Shared' /v Theme /f >/dev/null 2>&1 </dev/null
wine reg add 'HKCU\Software\E2E Guard Foreign' /v Keep /d yes /f >/dev/null 2>&1 </dev/null
shared_count 'KXUN32.EXE' >"$WORK/kxun32-count.txt"
