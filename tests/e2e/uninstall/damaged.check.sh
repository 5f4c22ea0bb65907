# Nothing was removed.
check_file 'C:\RMAPP\README.TXT'
check_file 'C:\RMAPP\HELP\GUIDE.TXT'
check_file 'C:\RMAPP\SETUP.INF'
check_file 'C:\RMSHARED\SHARED.DLL'
check_reg 'HKCU\Software\E2E Removal Maker\E2E Removal' Path 'C:\RMAPP'
check_reg 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\E2E Removal' DisplayName \
    'E2E Removal'
check_ini 'C:\windows\E2EREM.INI' 'E2E Removal' Installed 'C:\RMAPP'

# The group's folder window, opened at installation, is closed if the removal left it open.
close_folder_windows "E2E Removal"
