# Sourced by the tests that run a Windows program under Wine. Takes the 32-bit program we
# ship and the 64-bit build of the same source; sets wine_exe to the one to test (the 32-bit
# one wherever the kernel runs 32-bit code, unless ZUVARO_WINE64=1 asks for the 64-bit one),
# wine to the loader that runs it, wineserver to that loader's server, a Wine prefix of the
# matching kind (made on first use) and wine_pictures, the prefix's own pictures folder.
# Every Wine call of a test goes through these: Debian's plain wrappers (winepath, wine) pick
# the 32-bit loader whenever it is installed, even on a kernel that cannot run it.
# Ends with a fresh Wine session; wine_new_session starts another (see there).
# usage: . wine_env.sh EXE32 EXE64
# No desktop menus or file associations: Wine would write them under $HOME.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine reads the Unix side's names and terminal by the locale's character set.
export LC_ALL=C.UTF-8
if [ "${ZUVARO_WINE64:-0}" != 1 ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    wine_exe=$1
    wine=(/usr/lib/wine/wine)
    export WINEPREFIX="${ZUVARO_WINEPREFIX:-$HOME/.cache/zuvaro-wine}"
else
    if [ "${ZUVARO_WINE64:-0}" = 1 ]; then
        echo "wine: ZUVARO_WINE64=1; testing the 64-bit build of the same source"
    elif [ -e /usr/lib/wine/wine ]; then
        echo "wine: this machine runs no 32-bit code; testing the 64-bit build of the same source"
    else
        echo "wine: no 32-bit Wine installed; testing the 64-bit build of the same source"
    fi
    wine_exe=$2
    wine=(/usr/lib/wine/wine64)
    export WINELOADER=/usr/lib/wine/wine64
    export WINEPREFIX="${ZUVARO_WINEPREFIX64:-$HOME/.cache/zuvaro-wine64}"
fi
# The server keeps its socket in a folder under TMPDIR, and leaves the folder behind: the
# prefix holds it instead. Debian's server script is the one both loaders start.
mkdir -p "$WINEPREFIX/tmp"
wine=(env TMPDIR="$WINEPREFIX/tmp" "${wine[@]}")
wineserver=(env TMPDIR="$WINEPREFIX/tmp" /usr/lib/wine/wineserver)
wine_exe=$(realpath "$wine_exe")

# wine_new_session: ends the session running in the prefix, if any, and waits until it has
# gone, so that the next program starts a session of its own with the display it is given. A
# program joins the running session, and with it that session's display (or lack of one):
# which session lingered would otherwise depend on how long the last test took.
wine_new_session() {
    "${wineserver[@]}" -k || true # exits 1, silently, when no server runs
    "${wineserver[@]}" -w
}

# wine_path_u WINDOWS_PATH: the Unix path Wine gives for it; a failure fails the caller with
# Wine's own message.
wine_path_u() {
    "${wine[@]}" winepath -u "$1"
}

wine_new_session
if ! wine_boot_log=$("${wine[@]}" wineboot -i 2>&1); then
    echo "wine: wineboot failed in $WINEPREFIX: $wine_boot_log" >&2
    exit 1
fi
# A new prefix links the Windows pictures folder to one in $HOME; the tests' pictures stay in
# the prefix instead.
wine_pictures="$WINEPREFIX/drive_c/users/$(id -un)/Pictures"
if [ -L "$wine_pictures" ] || [ ! -d "$wine_pictures" ]; then
    rm -f "$wine_pictures"
    mkdir -p "$wine_pictures"
fi
wine_new_session
