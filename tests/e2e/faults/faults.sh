# Shared fixture of the fault scenarios: what makes the faults and what checks their traces.
# Sourced by their prepare, check and teardown scripts, and by the `fault` command that the
# prepare scripts put into the work folder for the scenarios' `run` steps
# (`run './fault check_only_files ...'`). Needs WORK and WINEPREFIX from the runner.

# The mounts made for the scenario, one per line, and the drive letters pointing at them: the
# teardown script undoes both, however the run ended.
fault_mounts="$WORK/mounts.txt"

# fault_tmpfs LETTER SIZE: a tmpfs of SIZE (as mount takes it: 4m) at WORK/drive-LETTER,
# which becomes drive LETTER: of the prefix. Ends the prepare script with 77 (the test is
# skipped) where mounting is not allowed.
fault_tmpfs() {
    local letter=${1,,} size=$2 dir="$WORK/drive-${1,,}"
    mkdir -p "$dir"
    if ! mount -t tmpfs -o "size=$size" tmpfs "$dir" 2>"$WORK/mount.err"; then
        echo "cannot mount a tmpfs at $dir: $(cat "$WORK/mount.err") (the scenario needs root)"
        exit 77
    fi
    printf '%s %s\n' "$dir" "$letter" >>"$fault_mounts"
    ln -sfn "$dir" "$WINEPREFIX/dosdevices/$letter:"
}

# Removes the drive letters and unmounts what fault_tmpfs mounted. A mount that a process
# still holds is detached lazily, so it goes once the process has ended.
fault_teardown() {
    [ -f "$fault_mounts" ] || return 0
    local dir letter
    while read -r dir letter; do
        rm -f "$WINEPREFIX/dosdevices/$letter:"
        umount "$dir" 2>/dev/null || umount -l "$dir"
    done <"$fault_mounts"
    rm -f "$fault_mounts"
}

# make_big FILE MEGABYTES SEED: a text file of about that size, made quickly (the copy of it
# is to take a while; it is not committed).
make_big() {
    make_text "$1.part" 20000 "$3"
    local n
    : >"$1"
    for n in $(seq 1 $(($2 * 1000000 / $(stat -c %s "$1.part")))); do
        cat "$1.part" >>"$1"
    done
    rm -f "$1.part"
}

# The `fault` command of the scenarios' `run` steps: this fixture and the checks, then the
# command line given; its exit status says whether every check held. Made last by the prepare
# scripts: what is newer was written by the run.
fault_command() {
    cat >"$WORK/fault" <<'COMMAND'
#!/usr/bin/env bash
source "$E2E_DIR/check-lib.sh"
source "$E2E_DIR/install/checks.sh"
source "$E2E_DIR/faults/faults.sh"
"$@"
check_finish
COMMAND
    chmod +x "$WORK/fault"
}

# The file is byte for byte one of the two given files: the old one or the new one, nothing
# in between.
check_old_or_new() {
    local file
    file=$(check_unix_path "$1")
    cmp -s "$file" "$2" || cmp -s "$file" "$3" ||
        install_check_fail "$1 is neither the old file nor the new one ($(stat -c %s "$file" 2>&1))"
}

# No file of these names (patterns of find -iname) written since the prepare script ended,
# anywhere on drive C: or on the disks, outside the given directory (a Linux path).
check_nowhere_else() {
    local directory=$1 name found
    shift
    for name in "$@"; do
        found=$(find "$DRIVE_C" "$WORK/disks/" -newer "$WORK/fault" -iname "$name" \
            -not -path "$directory/*" -print 2>/dev/null | head -1)
        [ -z "$found" ] || install_check_fail "$name was written elsewhere: $found"
    done
}

# The directory holds the named files and one temporary file of the version installation
# (ver*.tmp) shorter than the installed big.dat: what a killed run leaves. The service makes it
# under a name of its own choosing and only a run that is not killed removes it.
check_killed_temp() {
    local directory=$1 temps
    shift
    directory=$(check_unix_path "$directory")
    temps=$(find "$directory" -maxdepth 1 -iname 'ver*.tmp' -printf '%f\n')
    if [ "$(wc -w <<<"$temps")" -ne 1 ]; then
        install_check_fail "expected the killed run's one temporary file, found [$(echo $temps)]"
        return
    fi
    [ "$(stat -c %s "$directory/$temps")" -lt "$(stat -c %s "$directory/big.dat")" ] ||
        install_check_fail "$temps is not a part of big.dat"
    check_only_files "$directory" "$@" "$temps"
}

# check_whole_install DIR PRODUCT NAME...: the run that completed the job left every file as on
# the disk, nothing else but the log, and a log of the created directory and each file once.
check_whole_install() {
    local directory=$1 product=$2
    shift 2
    local name
    for name in "$@"; do
        check_same_file "$directory\\$name" "$WORK/product/files/$name"
    done
    check_only_files "$directory" "$@" setuplog.txt
    check_install_log "$directory" "$product" < <(printf '%s\n' "Created Directory $directory"
        printf "Copied File ${directory//\\/\\\\}\\\\%s\\n" "$@")
}

# fault_disks TOML [OPTIONS]: the product's disks (make_disks of install/disks.sh) from TOML, the
# product's own part; the texts of the pages and messages, made here from its name, are the same
# for every fault product: "Welcome to NAME", "NAME Destination", "NAME Setup" / "NAME has been
# installed.", "NAME Failed" / "NAME has not been installed.", "Cancel NAME".
fault_disks() {
    local toml=$1 name
    shift
    name=$(sed -n 's/^name = "\(.*\)"$/\1/p' "$toml" | head -1)
    {
        cat "$toml"
        printf '\n[welcome]\ntitle = "Welcome to %s"\n' "$name"
        printf '\n[destination]\ntitle = "%s Destination"\n' "$name"
        printf '\n[success]\ncaption = "%s Setup"\ntext = "%s has been installed."\n' "$name" "$name"
        printf '\n[failure]\ncaption = "%s Failed"\ntext = "%s has not been installed."\n' "$name" "$name"
        printf '\n[cancel]\ncaption = "Cancel %s"\ntext = "Cancel the %s setup?"\n' "$name" "$name"
    } >"$WORK/fault-product.toml"
    make_disks "$WORK/fault-product.toml" "$@"
}
