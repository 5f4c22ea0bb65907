# What earlier removal scenarios may have left in the prefix: the products' directories, their
# registry entries and INI file, and the shared file's count. The SharedDLLs key exists, as on
# Windows (SETUP.EXE never creates it, and a new Wine prefix lacks it).
rm -rf "$DRIVE_C/RMAPP" "$DRIVE_C/RMTWO" "$DRIVE_C/RMSHARED" "$DRIVE_C/windows/E2EREM.INI"
for key in 'HKCU\Software\E2E Removal Maker' \
    'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\E2E Removal' \
    'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\E2E Removal Two'; do
    wine reg delete "$key" /f >/dev/null 2>&1 </dev/null || true
done
wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\SharedDLLs' \
    /v 'C:\RMSHARED\SHARED.DLL' /f >/dev/null 2>&1 </dev/null || true
wine reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\SharedDLLs' /f \
    >/dev/null 2>&1 </dev/null
