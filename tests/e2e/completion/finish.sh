# The disk and the machine for the completion scenarios, sourced by their prepare scripts after
# they set the variant of finish.toml:
#   ask_first, show_page   "true" or "false"
#   groups                 "two" or "one"
#   restart, reboot        "true" or "false" (the completion questions)
#   editsys_result         the library's final answer, empty for its own
source "$E2E_DIR/install/disks.sh"
source "$WORK/../completion-tools.sh"

names='["E2E Finish Tools", "E2E Finish Docs"]'
[ "$groups" = two ] || names='["E2E Finish Tools"]'
sed -e "s/^restart_windows = true .*/restart_windows = $restart/" \
    -e "s/^reboot = false .*/reboot = $reboot/" \
    -e "s/^show_page = false .*/show_page = $show_page/" \
    -e "s/^ask_first = true .*/ask_first = $ask_first/" \
    -e "s/^names = .*/names = $names/" \
    "$E2E_DIR/completion/finish.toml" >"$WORK/finish.toml"
# Every marked line was replaced.
if grep -q '# variant$' "$WORK/finish.toml"; then
    echo "finish.sh: a variant line of finish.toml was not replaced" >&2
    exit 1
fi

cp "$editsys" "$product_dir/files/EDITSYS.DLL"
{
    printf 'directory=C:\\FNAPP\\BOOT\r\n'
    [ -z "$editsys_result" ] || printf 'result=%s\r\n' "$editsys_result"
} >"$product_dir/files/EDITSYS.CTL"
source_file README.TXT "Finish Test read-me"
make_disks "$WORK/finish.toml"
put_on_disk "$sleeper" SLEEPER.EXE

# What an earlier run left: the destination (FINISH.INI is there before the run), the groups,
# the registry entries, the uninstaller's count. The SharedDLLs key exists, as on Windows.
rm -rf "$DRIVE_C/FNAPP" "$DRIVE_C/windows/E2EFIN.INI"
mkdir -p "$DRIVE_C/FNAPP"
printf '[Options]\r\nOld=1\r\n[Gone]\r\nX=1\r\n' >"$DRIVE_C/FNAPP/FINISH.INI"
programs=$(find "$DRIVE_C/users" -maxdepth 7 -type d -path '*/Windows/Start Menu/Programs' \
    -not -path '*/Public/*' | head -1)
rm -rf "$programs/E2E Finish Tools" "$programs/E2E Finish Docs"
wine reg delete 'HKCU\Software\E2E Finish' /f >/dev/null 2>&1 </dev/null || true
wine reg delete 'HKLM\Software\E2E Finish' /f >/dev/null 2>&1 </dev/null || true
wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Finish Test' /f \
    >/dev/null 2>&1 </dev/null || true
wine reg add 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\SharedDLLs' /f \
    >/dev/null 2>&1 </dev/null
wine reg delete 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\SharedDLLs' \
    /v 'C:\windows\KXUN32.EXE' /f >/dev/null 2>&1 </dev/null || true
