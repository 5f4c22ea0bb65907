# Nothing of the product stays: not the upper directory level, not the keys above its entry.
check_no_file 'C:\RMMACRO'
check_no_reg_key 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\E2E QC:'
