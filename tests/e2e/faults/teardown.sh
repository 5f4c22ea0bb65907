# Undoes what the fault scenarios' prepare scripts set up outside the work folder.
source "$E2E_DIR/faults/faults.sh"
fault_teardown
