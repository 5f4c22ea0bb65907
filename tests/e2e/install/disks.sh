# Disks for the install scenarios, made by their prepare scripts rather than by the runner: the
# source files are generated here (some are megabytes), and the disks are built with the
# program stripped of its debug information, so that a floppy capacity holds it on disk 1
# whatever the build type. Sourced by the prepare scripts, which get WORK, DISK and SETUPKIT
# from the runner. A command that fails fails the prepare script.
set -eo pipefail

# The folder of the product description and its files (files/ below it).
product_dir="$WORK/product"
mkdir -p "$product_dir/files"

# make_text FILE LINES SEED: text lines of records with CR LF, the same for the same seed, that
# compress to about a quarter.
make_text() {
    mkdir -p "$(dirname "$1")"
    awk -v n="$2" -v seed="$3" 'BEGIN {
        srand(seed)
        for (i = 1; i <= n; i++)
            printf "record %07d value %06d %s\r\n", i, int(rand() * 1000000),
                (rand() < 0.5 ? "alpha" : "omega")
    }' >"$1"
}

# make_disks DESCRIPTION [setupkit build options...]: copies the description beside the files,
# builds its disks into WORK/disks and makes them WORK/disk1, disk2, ... in place of the folder
# the runner made (the program keeps its place, WORK/disk1/SETUP.EXE).
make_disks() {
    local description=$1
    shift
    cp "$description" "$product_dir/product.toml" || return 1
    local cpu=i686
    [ "${WINEARCH:-win32}" = win64 ] && cpu=x86_64
    "$cpu-w64-mingw32-strip" -o "$WORK/SETUP.EXE" "$DISK/SETUP.EXE" || return 1
    rm -rf "$WORK/disks"
    "$SETUPKIT" build "$product_dir/product.toml" -o "$WORK/disks" --setup-exe "$WORK/SETUP.EXE" \
        "$@" || return 1
    rm -rf "$WORK/disk1"
    local folder
    for folder in "$WORK"/disks/disk*; do
        ln -sfn "disks/$(basename "$folder")" "$WORK/$(basename "$folder")"
    done
}

# The helper programs the scenarios put on their disks ($filelock, $sleeper), built beside the
# scenarios' work folders.
source "$WORK/../install-tools.sh"

# put_on_disk FILE NAME [DISK]: a file on a disk (default 1) that the script does not list.
put_on_disk() {
    cp "$1" "$WORK/disks/disk${3:-1}/$2"
}

# source_file NAME TEXT [TIME]: a source file of the product with that text (CR LF added) and
# last write ('2020-06-15 12:00:00' when none is given).
source_file() {
    printf '%s\r\n' "$2" >"$product_dir/files/$1"
    touch -d "${3:-2020-06-15 12:00:00}" "$product_dir/files/$1"
}

# existing_file 'C:\DIR\NAME' TEXT TIME|same: a file already at the destination before the run;
# "same" gives it the last write of the source file of the same name.
existing_file() {
    local path="$DRIVE_C/${1:3}"
    path=${path//\\//}
    mkdir -p "$(dirname "$path")"
    printf '%s\r\n' "$2" >"$path"
    if [ "$3" = same ]; then
        touch -r "$product_dir/files/$(basename "$path")" "$path"
    else
        touch -d "$3" "$path"
    fi
}
