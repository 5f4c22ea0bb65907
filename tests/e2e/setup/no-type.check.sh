# Cancelled on the program-group page: nothing was installed.
check_no_file 'C:\E2EPAGES'
