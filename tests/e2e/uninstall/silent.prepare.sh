# As clean.prepare.sh, and without the program group that a refused removal of an earlier
# scenario may have left: the installation creates it, so that the removal takes it away.
bash "$E2E_DIR/uninstall/clean.prepare.sh" || exit 1
find "$DRIVE_C/users" -ipath '*/Start Menu/Programs/E2E Removal' -prune -exec rm -rf {} +
