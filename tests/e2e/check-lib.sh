# Checks of what a run left behind, for the check scripts of the scenarios (sourced by the
# runner before the check script; the runner fails the test when any check failed). Each
# failed check prints the check script's line. Windows paths are on drive C: of the prefix
# (`C:\E2EAPP\README.TXT`) and are matched without regard to case, as Windows does; other
# paths are Linux paths.

check_failures=0

check_fail() {
    # The line of the check script that asked: the first caller outside this file.
    local i=0 line="?"
    while [ $((i + 1)) -lt ${#BASH_SOURCE[@]} ]; do
        if [ "${BASH_SOURCE[i + 1]}" != "${BASH_SOURCE[0]}" ]; then
            line="${BASH_SOURCE[i + 1]##*/}:${BASH_LINENO[i]}"
            break
        fi
        i=$((i + 1))
    done
    echo "check $line: $*"
    check_failures=$((check_failures + 1))
}

# The Linux path of a Windows path on C: (or a Linux path as it is), each component found
# without regard to case. Prints the path as far as it exists and the rest as written.
check_unix_path() {
    local path=$1
    case "$path" in
        [Cc]:\\* | [Cc]:/*) ;;
        *) printf '%s' "$path"; return ;;
    esac
    local rest=${path:3}
    rest=${rest//\\//}
    local result="$DRIVE_C"
    local part found
    IFS=/ read -r -a parts <<<"$rest"
    for part in "${parts[@]}"; do
        [ -n "$part" ] || continue
        found=""
        if [ -d "$result" ]; then
            found=$(find "$result" -mindepth 1 -maxdepth 1 -iname "$part" -print -quit 2>/dev/null)
        fi
        result=${found:-$result/$part}
    done
    printf '%s' "$result"
}

check_file() {
    [ -f "$(check_unix_path "$1")" ] || check_fail "no file $1"
}

check_no_file() {
    [ ! -e "$(check_unix_path "$1")" ] || check_fail "$1 should not exist"
}

check_dir() {
    [ -d "$(check_unix_path "$1")" ] || check_fail "no directory $1"
}

# The file holds exactly TEXT (line ends as written in TEXT).
check_file_text() {
    local file
    file=$(check_unix_path "$1")
    if [ ! -f "$file" ]; then
        check_fail "no file $1"
    elif [ "$(cat "$file"; echo x)" != "$2"x ]; then
        check_fail "$1 holds $(head -c 300 "$file" | cat -A | head -5), expected $2"
    fi
}

check_file_contains() {
    local file
    file=$(check_unix_path "$1")
    if [ ! -f "$file" ]; then
        check_fail "no file $1"
    elif ! grep -qF -- "$2" "$file"; then
        check_fail "$1 does not contain \"$2\""
    fi
}

# check_log_lines LOG LINE...: the run log (a Linux path, CR LF lines) has each line within one
# of its lines.
check_log_lines() {
    local log=$1 line
    shift
    if [ ! -f "$log" ]; then
        check_fail "no log at $log"
        return
    fi
    for line in "$@"; do
        tr -d '\r' <"$log" | grep -qF -- "$line" || check_fail "the log has no line \"$line\""
    done
}

# The two files are byte for byte the same (an installed file and its source).
check_same_file() {
    local a b
    a=$(check_unix_path "$1")
    b=$(check_unix_path "$2")
    cmp -s "$a" "$b" || check_fail "$1 differs from $2"
}

# A registry value as `wine reg query` shows it: check_reg 'HKLM\Software\X' Name 'data'.
# An empty name is the key's default value.
check_reg() {
    local key=$1 name=$2 expected=$3 output actual status
    if [ -n "$name" ]; then
        output=$(wine reg query "$key" /v "$name" 2>/dev/null </dev/null)
    else
        output=$(wine reg query "$key" /ve 2>/dev/null </dev/null)
    fi
    status=$?
    actual=$(printf '%s\n' "$output" | tr -d '\r' |
        awk -v name="${name:-(Default)}" '
            { line = $0; sub(/^ +/, "", line) }
            index(line, name "    ") == 1 {
                rest = substr(line, length(name) + 5)
                sub(/^REG_[A-Z_]+    /, "", rest)
                print rest
                exit
            }')
    if [ $status -ne 0 ]; then
        check_fail "no registry value $key\\$name"
    elif [ "$actual" != "$expected" ]; then
        check_fail "$key\\$name is \"$actual\", expected \"$expected\""
    fi
}

check_no_reg_key() {
    if wine reg query "$1" >/dev/null 2>&1 </dev/null; then
        check_fail "the registry key $1 should not exist"
    fi
}

# An INI entry: check_ini 'C:\E2EAPP\APP.INI' Section Key 'value' (section and key without
# regard to case, as the profile functions read them).
check_ini() {
    local file actual
    file=$(check_unix_path "$1")
    if [ ! -f "$file" ]; then
        check_fail "no file $1"
        return
    fi
    actual=$(tr -d '\r' <"$file" | awk -v section="$2" -v key="$3" '
        BEGIN { section = tolower(section); key = tolower(key) }
        /^\[/ { inside = tolower(substr($0, 2, index($0, "]") - 2)) == section; next }
        inside && index($0, "=") {
            name = substr($0, 1, index($0, "=") - 1)
            gsub(/^ +| +$/, "", name)
            if (tolower(name) == key) { print substr($0, index($0, "=") + 1); found = 1; exit }
        }
        END { if (!found) print "<missing>" }')
    [ "$actual" = "$4" ] || check_fail "[$2] $3 in $1 is \"$actual\", expected \"$4\""
}

# check_folder_windows CAPTION...: the shell showed each group (ShowGroup opens a folder window
# captioned with its name); the windows are closed, so that they do not stay on the display.
check_folder_windows() {
    local output
    source "$WORK/../completion-tools.sh"
    output=$(wine "$close_windows" "$@" 2>&1 </dev/null) ||
        check_fail "folder windows of the groups: $(echo $output)"
}

# close_folder_windows CAPTION...: closes the groups' folder windows that are still open after a
# removal (the shell may have closed a window whose folder went).
close_folder_windows() {
    local output
    source "$WORK/../completion-tools.sh"
    output=$(wine "$close_windows" --if-open "$@" 2>&1 </dev/null) ||
        check_fail "folder windows of the groups: $(echo $output)"
}

check_finish() {
    if [ "$check_failures" -gt 0 ]; then
        echo "$check_failures check(s) failed"
        return 1
    fi
    return 0
}
