# The program and the help are in; the extras are not.
check_file_text 'C:\SKIPAPP\base.txt' $'Skip Disks base\r\n'
check_file_text 'C:\SKIPAPP\help.txt' $'Skip Disks help\r\n'
check_no_file 'C:\SKIPAPP\extra1.dat'
check_no_file 'C:\SKIPAPP\extra2.dat'
