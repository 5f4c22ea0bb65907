# One group, so the program-group page is shown; its "Do not create a group" is ticked.
ask_first=true show_page=true groups=one restart=false reboot=false editsys_result=
source "$E2E_DIR/completion/finish.sh"
