# The group question answered No; reboot and restart both offered (the reboot is asked).
ask_first=true show_page=false groups=two restart=true reboot=true editsys_result=
source "$E2E_DIR/completion/finish.sh"
