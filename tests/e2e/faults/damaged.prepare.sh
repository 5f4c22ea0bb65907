# Disk 1 damaged after it was made: trunc.da_ cut short in its data, bent.da_ overwritten in
# the middle, cut.da_ cut inside its header, a folder in the place of gone.txt, a link to
# nothing in the place of lost.txt (tests run as root, for whom no permission stops a read). WORK/intact
# keeps the whole files, which the scenario puts back for the second run.
source "$E2E_DIR/install/disks.sh"
source "$E2E_DIR/faults/faults.sh"
for name in good.txt gone.txt lost.txt last.txt; do
    source_file "$name" "$name"
done
for name in trunc bent cut; do
    make_text "$product_dir/files/$name.dat" 4000 "${#name}"
done
fault_disks "$E2E_DIR/faults/damaged.toml"
fault_command
disk="$WORK/disks/disk1"
mkdir -p "$WORK/intact"
cp "$disk"/{trunc.da_,bent.da_,cut.da_,gone.txt,lost.txt} "$WORK/intact/"
truncate -s $(($(stat -c %s "$disk/trunc.da_") / 2)) "$disk/trunc.da_"
# A run of 0xFF reads as literals only: that stretch expands to far fewer bytes.
head -c 1000 /dev/zero | tr '\0' '\377' |
    dd of="$disk/bent.da_" bs=1 seek=$(($(stat -c %s "$disk/bent.da_") / 2)) conv=notrunc status=none
truncate -s 9 "$disk/cut.da_"
rm "$disk/gone.txt"
mkdir "$disk/gone.txt"
ln -sf "$WORK/nowhere" "$disk/lost.txt"
rm -rf "$DRIVE_C/DMGAPP"
