# Between installation and removal: the user adds a file of their own to HELP, and another
# program holds DATA.TXT open (until WORK/RELEASE.TXT exists).
source "$WORK/../install-tools.sh"
source "$E2E_DIR/uninstall/removal-lib.sh"
printf 'my notes\r\n' >"$DRIVE_C/RMAPP/HELP/NOTES.TXT"
wine "$filelock" "$(windows_path "$WORK/RELEASE.TXT")" 'C:\RMAPP\DATA.TXT' </dev/null
