source "$E2E_DIR/install/checks.sh"
source "$E2E_DIR/completion/finish-checks.sh"

check_no_group "E2E Finish Tools"
check_no_group "E2E Finish Docs"
check_finish_common
check_final_program
check_install_log 'C:\FNAPP' "Finish Test" <<LOG
$finish_log_head
$finish_log_tail
LOG
