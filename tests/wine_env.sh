# Sourced by the tests that run a Windows program under Wine. Takes the 32-bit program we
# ship and the 64-bit build of the same source; sets wine_exe to the one this machine can run
# (the 32-bit one wherever the kernel runs 32-bit code), wine to the loader that runs it, and
# a Wine prefix of the matching kind, made on first use.
# usage: . wine_env.sh EXE32 EXE64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine reads the Unix side's names and terminal by the locale's character set.
export LC_ALL=C.UTF-8
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    wine_exe=$1
    wine=(/usr/lib/wine/wine)
    export WINEPREFIX="${ZUVARO_WINEPREFIX:-$HOME/.cache/zuvaro-wine}"
else
    echo "wine: this machine runs no 32-bit code; testing the 64-bit build of the same source"
    wine_exe=$2
    wine=(/usr/lib/wine/wine64)
    export WINELOADER=/usr/lib/wine/wine64
    export WINEPREFIX="${ZUVARO_WINEPREFIX64:-$HOME/.cache/zuvaro-wine64}"
fi
wine_exe=$(realpath "$wine_exe")
mkdir -p "$WINEPREFIX"
"${wine[@]}" wineboot -i >/dev/null 2>&1
