source "$E2E_DIR/install/checks.sh"
source "$E2E_DIR/completion/finish-checks.sh"

# The groups were made without a question; the library's 0 changed only the message.
check_folder_windows "E2E Finish Tools" "E2E Finish Docs"
check_group "E2E Finish Tools" "Finish Notes.lnk" "Finish Editor.lnk"
check_group "E2E Finish Docs" "Finish Readme.lnk"
check_finish_common
check_install_log 'C:\FNAPP' "Finish Test" <<LOG
$finish_log_head
$finish_log_groups
$finish_log_tail
LOG
