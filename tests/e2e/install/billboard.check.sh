source "$E2E_DIR/install/checks.sh"

check_same_file 'C:\BBAPP\after.txt' "$WORK/product/files/after.txt"
# The expanded copies of the pictures are gone from the temporary directory.
check_no_temporary_file 'logo.bmp'
check_no_temporary_file 'missing.bmp'
check_install_log 'C:\BBAPP' "Billboard Test" <<'LOG'
Created Directory C:\BBAPP
Copied File C:\BBAPP\after.txt
LOG

# Below the question box, in the middle of the screen: the green picture, then the backdrop.
pixel() {
    convert "$WORK/shots/$1.png" -format '%[pixel:p{512,455}]' info: 2>/dev/null
}
shown=$(pixel billboard-shown)
hidden=$(pixel billboard-hidden)
case "$shown" in
    *"0,128,0"*) ;;
    *) install_check_fail "the picture is not on the screen while shown (pixel $shown)" ;;
esac
case "$hidden" in
    *"0,128,0"*) install_check_fail "the picture is still on the screen after the hide item" ;;
esac
