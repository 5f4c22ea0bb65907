#!/usr/bin/env bash
# How `setupkit build` grows with the product: a folder tree of N files of 2 KB in N/25 folders
# (one [[tree]] entry, compressed), built onto unlimited disks, for N = 500, 1,000 and 5,000.
# Prints the wall time and the peak memory (GNU time's maximum resident set) of each build, and
# the time and memory per file, which stay flat when the build grows linearly.
#   bench/build-scale.sh [SETUPKIT [SETUP.EXE]]   (default: build/native's)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
setupkit=${1:-$root/build/native/tools/setupkit/setupkit}
setup_exe=${2:-$root/build/native/win32/src/shell/dist/SETUP.EXE}
for needed in "$setupkit" "$setup_exe" /usr/bin/time; do
    [ -f "$needed" ] || { echo "missing $needed" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# make_product N: N files in N/25 folders below WORK/N/files, and the description.
make_product() {
    local count=$1 dir="$work/$1" i
    mkdir -p "$dir/files"
    for ((i = 0; i < count; ++i)); do
        local folder="$dir/files/f$((i % (count / 25)))"
        mkdir -p "$folder"
        head -c 2048 /dev/urandom | base64 -w 76 | head -c 2048 >"$folder/file$i.txt"
    done
    cat >"$dir/product.toml" <<TOML
[product]
name = "Scale $count"
[[directory]]
path = "C:\\\\SCALE"
[[tree]]
id = "files"
source = "files"
compressed = true
TOML
}

printf '%8s %10s %12s %14s %14s\n' files seconds "peak MB" "ms per file" "KB per file"
for count in 500 1000 5000; do
    make_product "$count"
    /usr/bin/time -f '%e %M' -o "$work/time" "$setupkit" build "$work/$count/product.toml" \
        -o "$work/$count/disks" --capacity unlimited --setup-exe "$setup_exe" >/dev/null
    read -r seconds kilobytes <"$work/time"
    awk -v n="$count" -v s="$seconds" -v k="$kilobytes" 'BEGIN {
        printf "%8d %10.2f %12.1f %14.3f %14.1f\n", n, s, k / 1024, s * 1000 / n, k / n }'
done
