source "$E2E_DIR/install/checks.sh"
source "$E2E_DIR/completion/finish-checks.sh"

# Both groups were shown and hold their items; the item of group 0 is nowhere.
check_folder_windows "E2E Finish Tools" "E2E Finish Docs"
check_group "E2E Finish Tools" "Finish Notes.lnk" "Finish Editor.lnk"
check_group "E2E Finish Docs" "Finish Readme.lnk"
check_finish_common
check_final_program
check_install_log 'C:\FNAPP' "Finish Test" <<LOG
$finish_log_head
$finish_log_groups
$finish_log_tail
LOG
