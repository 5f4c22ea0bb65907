source "$E2E_DIR/install/disks.sh"
for n in 1 2 3 4 5; do
    head -c 4000000 /dev/urandom >"$product_dir/files/f$n.dat"
done
make_disks "$E2E_DIR/install/cancel.toml"
put_on_disk "$sleeper" SLEEPER.EXE
rm -rf "$DRIVE_C/CNAPP"
