# What an earlier run may have left.
rm -rf "$DRIVE_C/RMMACRO"
wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\E2E QC:' /f \
    >/dev/null 2>&1 </dev/null
true
