# Shared set-up for running programs under Wine in the tests (sourced, not run).

setupkit_wine_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
WINEARCH=$(bash "$setupkit_wine_here/wine-arch.sh")
export WINEARCH
if [ "$WINEARCH" = win64 ]; then
    # No 32-bit code on this host: the 64-bit loader and server, also for `wine reg`.
    case ":$PATH:" in
    *":$setupkit_wine_here/bin64:"*) ;;
    *) PATH="$setupkit_wine_here/bin64:$PATH" ;;
    esac
    export PATH WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
: "${WINEPREFIX:=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build/wineprefix}"
export WINEPREFIX

# Makes the prefix on first use; a lock keeps parallel first uses from racing. Nothing started
# here may inherit the lock's descriptor, or the lock would live as long as it does.
setupkit_wine_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            rm -rf "$WINEPREFIX"
            wineboot -i >"$WINEPREFIX.boot.log" 2>&1 </dev/null 9>&-
            wineserver -w 9>&-
            if [ ! -f "$WINEPREFIX/system.reg" ]; then
                echo "wine-env: could not create the prefix $WINEPREFIX (see $WINEPREFIX.boot.log)" >&2
                exit 1
            fi
        fi
        setupkit_wine_caption_font
    ) 9>"$WINEPREFIX.lock"
}

# Wine draws the glyphs of the caption buttons (minimise, maximise, close) with the font
# Marlett; without it they show as letters ("0", "2", "r"). Debian's fonts-wine puts it in
# /usr/share/wine/fonts, but this Wine looks for its own fonts in "Z:\usr\share\wine\../fonts",
# a name it cannot open (STATUS_OBJECT_NAME_INVALID), and loads none of them. The fonts in the
# prefix's windows\Fonts are always loaded: a link there serves new and older prefixes alike.
# Only Marlett is linked, so that texts keep the fonts they had.
setupkit_wine_caption_font() {
    local font=/usr/share/wine/fonts/marlett.ttf
    local link="$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
    [ -e "$link" ] && return 0
    if [ ! -f "$font" ]; then
        echo "wine-env: $font is missing (scripts/bootstrap.sh installs fonts-wine):" \
            "caption buttons show letters" >&2
        return 0
    fi
    mkdir -p "$(dirname "$link")" && ln -sfn "$font" "$link"
}

# Uses SETUPKIT_DISPLAY when set; otherwise one private virtual display per prefix, started on
# first use and left running for the next tests (setupkit_wine_stop ends it).
setupkit_wine_display() {
    if [ -n "${SETUPKIT_DISPLAY:-}" ]; then
        export DISPLAY=$SETUPKIT_DISPLAY
        return 0
    fi
    local state="$WINEPREFIX.xvfb"
    (
        flock 9
        if [ -f "$state" ] && kill -0 "$(cut -d' ' -f1 "$state")" 2>/dev/null; then
            exit 0
        fi
        local fifo
        fifo=$(mktemp -u)
        mkfifo "$fifo"
        Xvfb -displayfd 8 -screen 0 1024x768x24 -nolisten tcp 8>"$fifo" >/dev/null 2>&1 </dev/null 9>&- &
        local pid=$!
        local number
        if ! read -r -t 20 number <"$fifo"; then
            rm -f "$fifo"
            kill "$pid" 2>/dev/null
            echo "wine-env: Xvfb did not start" >&2
            exit 1
        fi
        rm -f "$fifo"
        echo "$pid :$number" >"$state"
    ) 9>"$state.lock" || return 1
    export DISPLAY
    DISPLAY=$(cut -d' ' -f2 "$state")
    setupkit_wine_unmanaged
}

# A virtual display has no window manager, and Wine waits two seconds for one whenever it hides
# a window that it lets the manager handle: four seconds a test for a page and its main
# window. Wine's X11 driver reads "Managed" as a program starts, so a program that sets it for
# itself is too late for its own run; it is set once for the whole prefix instead.
setupkit_wine_unmanaged() {
    local marker="$WINEPREFIX/.setupkit-unmanaged"
    [ -f "$marker" ] && return 0
    (
        flock 9
        if [ ! -f "$marker" ]; then
            # A prefix where this fails is only slower.
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
                >/dev/null 2>&1 </dev/null 9>&- || exit 0
            # Written to the prefix's files when the server ends; until then the running
            # server has it, so a server that does not end in time costs only the marker.
            timeout 30 wineserver -w 9>&- || exit 0
            touch "$marker"
        fi
    ) 9>"$WINEPREFIX.lock"
}

# Ends wineserver and the private display of the prefix.
setupkit_wine_stop() {
    wineserver -k >/dev/null 2>&1 </dev/null || true
    local state="$WINEPREFIX.xvfb"
    if [ -f "$state" ]; then
        kill "$(cut -d' ' -f1 "$state")" 2>/dev/null || true
        rm -f "$state"
    fi
}
