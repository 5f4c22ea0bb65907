#!/usr/bin/env bash
# Sizes of the distributed programs against their budgets: SETUP.EXE at most 160 KB, so that
# it fits a 360K floppy beside its script, and KXUN32.EXE at most 120 KB (KB of 1,024 bytes).
# Reads the stripped copies a Win32 build leaves in src/shell/dist and src/uninstall/dist, and
# splits each into code, unwind tables, resources and the rest. Builds nothing and fails
# nothing: a program over its budget or not built is only reported; the exit code is 0.
#   bench/program-sizes.sh [BUILD_DIR...]
# Default: build/native/dist32, the build whose programs ship.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
builds=("$@")
[ ${#builds[@]} -gt 0 ] || builds=("$root/build/native/dist32")

kb() { awk -v bytes="$1" 'BEGIN { printf "%.1f KB", bytes / 1024 }'; }

# The machine a PE file is built for, from its header.
machine() {
    local offset code
    offset=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ')
    code=$(od -An -t x2 -j $((offset + 4)) -N 2 "$1" 2>/dev/null | tr -d ' ')
    case $code in
    014c) echo i686 ;;
    8664) echo x86-64 ;;
    *) echo "machine ${code:-unknown}" ;;
    esac
}

# Code, unwind tables, resources and the rest of a PE file, from objdump's section list.
breakdown() {
    local file=$1 total=$2 objdump sections="" name size code=0 unwind=0 resources=0
    for objdump in i686-w64-mingw32-objdump x86_64-w64-mingw32-objdump objdump; do
        command -v "$objdump" >/dev/null && sections=$("$objdump" -h "$file" 2>/dev/null) && break
    done
    while read -r _ name size _; do
        [[ $name == .* && $size =~ ^[0-9a-f]+$ ]] || continue
        case $name in
        .text) code=$((code + 0x$size)) ;;
        .eh_frame | .pdata | .xdata) unwind=$((unwind + 0x$size)) ;;
        .rsrc) resources=$((resources + 0x$size)) ;;
        esac
    done <<<"$sections"
    [ $((code + unwind + resources)) -gt 0 ] || return 0
    echo "      code $(kb $code), unwind tables $(kb $unwind), resources $(kb $resources)," \
        "the rest $(kb $((total - code - unwind - resources)))"
}

# report FILE BUDGET_KB
report() {
    local file=$1 budget=$2 name bytes limit verdict
    name=$(basename "$file")
    if [ ! -f "$file" ]; then
        printf '  %-11s not built (%s)\n' "$name" "$file"
        return
    fi
    bytes=$(stat -c %s "$file")
    limit=$((budget * 1024))
    if [ "$bytes" -le "$limit" ]; then
        verdict="within its budget of $budget KB ($(kb $((limit - bytes))) to spare)"
    else
        verdict="OVER its budget of $budget KB by $(kb $((bytes - limit)))"
    fi
    printf '  %-11s %9d bytes (%s, %s): %s\n' "$name" "$bytes" "$(kb "$bytes")" \
        "$(machine "$file")" "$verdict"
    breakdown "$file" "$bytes"
}

for build in "${builds[@]}"; do
    echo "$build"
    report "$build/src/shell/dist/SETUP.EXE" 160
    report "$build/src/uninstall/dist/KXUN32.EXE" 120
done
exit 0
