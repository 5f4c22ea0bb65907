# A run that ended before the installation leaves nothing behind: no destination directory,
# no install log, no uninstall entry.
check_no_file 'C:\E2EAPP'
check_no_reg_key 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\E2E Product'
