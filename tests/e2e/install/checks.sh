# Checks of the install scenarios, beside those of check-lib.sh (sourced by their check
# scripts). Wine keeps the read-only attribute as the file's Unix write permission.

# check_fail naming the check script's line rather than this file's.
install_check_fail() {
    local i=1
    while [ $((i + 1)) -lt ${#BASH_SOURCE[@]} ] &&
        [[ ${BASH_SOURCE[i]} == */checks.sh || ${BASH_SOURCE[i]} == */check-lib.sh ]]; do
        i=$((i + 1))
    done
    echo "check ${BASH_SOURCE[i]##*/}:${BASH_LINENO[i - 1]}: $*"
    check_failures=$((check_failures + 1))
}

check_read_only() {
    local file mode
    file=$(check_unix_path "$1")
    mode=$(stat -c %A "$file" 2>/dev/null) || { install_check_fail "no file $1"; return; }
    [[ $mode != *w* ]] || install_check_fail "$1 should be read-only ($mode)"
}

check_writable() {
    local file mode
    file=$(check_unix_path "$1")
    mode=$(stat -c %A "$file" 2>/dev/null) || { install_check_fail "no file $1"; return; }
    [[ $mode == -rw* ]] || install_check_fail "$1 should be writable ($mode)"
}

# The file's last write, as `date` reads it (e.g. '2001-02-03 04:05:06 UTC'), to the second.
check_write_time() {
    local file actual expected
    file=$(check_unix_path "$1")
    actual=$(stat -c %Y "$file" 2>/dev/null) || { install_check_fail "no file $1"; return; }
    expected=$(date -d "$2" +%s)
    [ "$actual" = "$expected" ] ||
        install_check_fail "$1 was last written $(date -u -d "@$actual" '+%F %T UTC'), expected $2"
}

# The file has the same last-write second as another file.
check_same_write_time() {
    local a b
    a=$(stat -c %Y "$(check_unix_path "$1")" 2>/dev/null)
    b=$(stat -c %Y "$(check_unix_path "$2")" 2>/dev/null)
    [ -n "$a" ] && [ "$a" = "$b" ] || install_check_fail "$1 ($a) and $2 ($b) differ in their last write"
}

# No file of this name is left in a temporary directory of the prefix (the joined pieces of a
# split file, an expanded picture, the version installation's temporary copies).
check_no_temporary_file() {
    local found
    found=$(find "$DRIVE_C/users" "$DRIVE_C/windows/temp" -ipath '*temp*' -iname "$1" -print \
        2>/dev/null | head -1)
    [ -z "$found" ] || install_check_fail "a temporary file is left: $found"
}

# No file other than the named ones (names as in the directory, without regard to case) is in
# the directory: nothing half-written, no temporary copy.
check_only_files() {
    local shown=$1 directory name listed expected
    directory=$(check_unix_path "$1")
    shift
    listed=$(find "$directory" -maxdepth 1 -type f -printf '%f\n' 2>/dev/null | tr 'A-Z' 'a-z' |
        sort)
    expected=$(printf '%s\n' "$@" | tr 'A-Z' 'a-z' | sort)
    [ "$listed" = "$expected" ] ||
        install_check_fail "$shown holds [$(echo $listed)], expected [$(echo $expected)]"
}

# setuplog.txt in the directory: its header for the product (title, today's date in the long
# format, an empty line), then exactly the lines given on standard input, every line ending in
# CR LF.
check_install_log() {
    local log expected actual header year
    log="$(check_unix_path "$1")/setuplog.txt"
    expected=$(cat)
    if [ ! -f "$log" ]; then
        install_check_fail "no install log in $1"
        return
    fi
    if [ -s "$log" ] && [ "$(tail -c 2 "$log" | od -An -tx1 | tr -d ' \n')" != "0d0a" ]; then
        install_check_fail "the install log does not end in CR LF"
    fi
    if LC_ALL=C grep -qv $'\r$' "$log"; then
        install_check_fail "a line of the install log does not end in CR LF"
    fi
    header=$(sed -n 1p "$log" | tr -d '\r')
    [ "$header" = "*** Setup Program For $2 ***" ] || install_check_fail "log header is \"$header\""
    year=$(date +%Y)
    sed -n 2p "$log" | grep -q "$year" || install_check_fail "log date \"$(sed -n 2p "$log")\" lacks $year"
    [ "$(sed -n 3p "$log" | tr -d '\r')" = "" ] || install_check_fail "log line 3 is not empty"
    actual=$(tail -n +4 "$log" | tr -d '\r')
    [ "$actual" = "$expected" ] || install_check_fail "the install log holds
$actual
expected
$expected"
}

check_no_install_log() {
    [ ! -e "$(check_unix_path "$1")/setuplog.txt" ] || install_check_fail "$1 holds an install log"
}
