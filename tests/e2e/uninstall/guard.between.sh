# Between installation and removal: the user edits NOTES.TXT; other programs change a value and
# an INI key the product wrote, and count the shared runtime library too; another program holds
# DATA.TXT open (until WORK/RELEASE.TXT exists); and somebody appends lines to the install log
# that name other programs' things.
source "$WORK/../install-tools.sh"
source "$E2E_DIR/uninstall/removal-lib.sh"
source "$E2E_DIR/uninstall/guard-lib.sh"
app="$DRIVE_C/GUARD MAKER/APP"
printf 'my own notes\r\n' >>"$app/NOTES.TXT"
wine reg add 'HKCU\Software\E2E Guard Shared' /v Theme /d light /f >/dev/null 2>&1 </dev/null
sed -i 's/^Level=1\r$/Level=2\r/' "$DRIVE_C/windows/GUARDWIN.INI"
grt=$(shared_count 'GRT.DLL')
[ -n "$grt" ] || { echo "GRT.DLL has no count"; exit 1; }
wine reg add "$shared_dlls" /v "${grt%%    REG_BINARY*}" /t REG_BINARY /d 02000000 /f \
    >/dev/null 2>&1 </dev/null
printf '%s\r\n' 'Copied File C:\windows\system32\GUARDFOREIGN.DLL' \
    'Added [boot], shell=evil.exe to file GUARDSYS.INI.' \
    'Added registry key [HKEY_CURRENT_USER\Software\E2E Guard Foreign].' \
    'CreatedGroup  StartUp' >>"$app/setuplog.txt"
wine "$filelock" "$(windows_path "$WORK/RELEASE.TXT")" 'C:\GUARD MAKER\APP\DATA.TXT' </dev/null
