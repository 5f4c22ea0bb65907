# Installing and removing products in the scenarios' prefix, and recording what changed.
# Sourced by the runner, and by the prepare, between and check scripts of the scenarios; needs the runner's environment (WINEPREFIX, DISPLAY, WORK, SETUPKIT, DRIVER,
# WINE_RUN, SETUP_EXE).

# windows_path PATH: a Linux path as a Windows program sees it (drive Z: is the root).
windows_path() {
    local absolute
    absolute=$(realpath -m "$1")
    printf 'Z:%s' "${absolute//\//\\}"
}

# run_driver NAME SCENARIO PROGRAM [ARGUMENTS]: the driver follows SCENARIO against PROGRAM (a
# Windows path); its transcript is WORK/NAME-transcript.txt. Fails when the scenario did not
# hold.
run_driver() {
    local name=$1 scenario=$2 program=$3 arguments=${4-}
    local args=("$(windows_path "$scenario")" "$program")
    [ -n "$arguments" ] && args+=(--args "$arguments")
    "$WINE_RUN" "$DRIVER" "${args[@]}" \
        --transcript "$(windows_path "$WORK/$name-transcript.txt")" \
        --shots "$(windows_path "$WORK/shots")" --deadline 100 \
        >"$WORK/$name-driver.log" 2>&1 </dev/null
    local rc=$?
    cat "$WORK/$name-driver.log"
    return $rc
}

# uninstall_command ENTRY [VALUE]: prints the UninstallString (or VALUE) of the uninstall entry
# ENTRY.
uninstall_command() {
    local value=${2:-UninstallString}
    wine reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1" \
        /v "$value" 2>/dev/null </dev/null | tr -d '\r' |
        sed -n "s/^ *$value *REG_SZ *//p"
}

# wait_until_removed ENTRY: waits (at most 60 s) until the uninstall entry ENTRY is gone, which
# the removal deletes last: cmd /c may return before the uninstaller it started has ended.
wait_until_removed() {
    local tries
    for ((tries = 0; tries < 120; tries++)); do
        [ -z "$(uninstall_command "$1")" ] && return 0
        sleep 0.5
    done
    return 1
}

# run_command NAME SCENARIO COMMAND: the driver starts a registered command line. It is not
# quoted: the program ends at ".EXE ", the rest is its argument.
run_command() {
    local before_exe=${3%%.[Ee][Xx][Ee] *}
    local program=${3:0:${#before_exe}+4}
    run_driver "$1" "$2" "$program" "${3:${#program}+1}"
}

# install_product NAME TOML SCENARIO: builds the product's disks into WORK/NAME and installs it
# with the driver following SCENARIO.
install_product() {
    local name=$1 toml=$2 scenario=$3
    rm -rf "$WORK/$name"
    "$SETUPKIT" build "$toml" -o "$WORK/$name" --setup-exe "$SETUP_EXE" >"$WORK/$name.log" 2>&1 ||
        { cat "$WORK/$name.log"; return 1; }
    run_driver "$name" "$scenario" "$(windows_path "$WORK/$name/disk1/SETUP.EXE")"
}

# The state of the prefix that an installation may change, as text files that diff well: every
# file of drive C: with its checksum (the temporary folders left out), and the registry's
# Software keys of the machine and the user.

# prefix_snapshot DIR: writes DIR/files.txt, DIR/machine.reg and DIR/user.reg, and copies the
# INI files of drive C: to DIR/ini.
prefix_snapshot() {
    local dir=$1 key
    mkdir -p "$dir"
    (cd "$WINEPREFIX/drive_c" &&
        find . \( -ipath './windows/temp' -o -ipath './users/*/temp' \) -prune -o -type f \
            -print0 | sort -z | xargs -0 -r md5sum) >"$dir/files.txt"
    rm -rf "$dir/ini" && mkdir -p "$dir/ini"
    (cd "$WINEPREFIX/drive_c" && find . -type f -iname '*.ini' -size -1024k -print0 |
        xargs -0 -r cp --parents -t "$(realpath "$dir/ini")")
    for key in machine:'HKLM\Software' user:'HKCU\Software'; do
        wine reg export "${key#*:}" "$dir/${key%%:*}.utf16" /y >/dev/null 2>&1 </dev/null ||
            return 1
        # UTF-16 as Wine writes it; the export's order of keys is the registry's own.
        iconv -f UTF-16 -t UTF-8 "$dir/${key%%:*}.utf16" | tr -d '\r' >"$dir/${key%%:*}.reg"
        rm -f "$dir/${key%%:*}.utf16"
    done
}

# prefix_changes BEFORE AFTER: the lines that differ, "<" for gone and ">" for new, with the
# file or key they belong to; registry values are shown under their key. Wine's own records
# are left out: its scratch keys (Software\Wine\Temporary System Parameters) and the host menu
# entries it made for shortcuts (Software\Wine\MenuFiles), which it keeps when they go.
prefix_changes() {
    local before=$1 after=$2 part
    diff "$before/files.txt" "$after/files.txt" | sed -n 's/^\([<>]\) [0-9a-f]*  /\1 file /p'
    for part in machine user; do
        diff <(prefix_registry_lines "$before/$part.reg") <(prefix_registry_lines "$after/$part.reg") |
            sed -n "s/^\\([<>]\\) /\\1 $part /p" |
            grep -v -e 'Software\\Wine\\Temporary System Parameters' -e 'Software\\Wine\\MenuFiles'
    done
}

# Each value as "[key] value", each key as "[key]", so that a diff names the key.
prefix_registry_lines() {
    awk '/^\[/ { key = $0; print key; next } NF { print key " " $0 }' "$1" | sort
}

# prefix_ini_changes BEFORE AFTER: the INI entries that differ, as "< ini ./FILE [SECTION] KEY=VALUE"
# for gone and ">" for new, an empty section as "[SECTION]".
prefix_ini_changes() {
    local before=$1 after=$2 file
    (cd "$before/ini" && find . -type f; cd "$after/ini" && find . -type f) | sort -u |
        while IFS= read -r file; do
            diff <(prefix_ini_lines "$before/ini/$file") <(prefix_ini_lines "$after/ini/$file") |
                sed -n "s|^\([<>]\) |\1 ini $file |p"
        done
}

prefix_ini_lines() {
    [ -f "$1" ] || return 0
    tr -d '\r' <"$1" | awk '/^\[/ { section = $0; print section; next }
        /=/ { print section " " $0 }' | sort
}
