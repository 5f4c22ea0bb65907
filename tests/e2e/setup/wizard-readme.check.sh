# The chosen directory, not the script's, received the installation.
check_dir 'C:\E2EWIZ\CHOSEN'
check_file_contains 'C:\E2EWIZ\CHOSEN\setuplog.txt' 'Created Directory C:\E2EWIZ\CHOSEN'
