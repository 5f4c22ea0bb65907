# The temporary copy the picture would have been expanded into is not left behind.
source "$E2E_DIR/install/checks.sh"
check_no_temporary_file 'pattern.bmp'
