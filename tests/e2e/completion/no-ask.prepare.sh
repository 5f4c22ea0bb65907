# Groups without the question; no restart or reboot; the library answers 0.
ask_first=false show_page=false groups=two restart=false reboot=false editsys_result=0
source "$E2E_DIR/completion/finish.sh"
