source "$E2E_DIR/install/checks.sh"

# Nothing was written: the file in the way is untouched, the directory after the failed one
# was not attempted, and there is no log.
check_file_text 'C:\BLOCKED' $'a file, not a directory\r\n'
check_no_file 'C:\DIROTHER'
