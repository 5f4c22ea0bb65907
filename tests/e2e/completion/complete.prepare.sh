# Two groups created after the question, restart asked; the library's own answer.
ask_first=true show_page=false groups=two restart=true reboot=false editsys_result=
source "$E2E_DIR/completion/finish.sh"
