#!/usr/bin/env bash
# zuvaro as a user starts it, without a display: the report of the map in the working
# directory on standard output, byte for byte, then the reason no window could open; a
# missing or damaged map gives its reason and exit code 1 before any window is tried.
# usage: load_report_test.sh ZUVARO W3EGEN
set -u
zuvaro=$1 w3egen=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

check() { # name, expected, actual
    if [ "$2" != "$3" ]; then
        echo "FAIL: $1"
        diff <(printf '%s' "$2") <(printf '%s' "$3") | head -20
        failures=$((failures + 1))
    fi
}

run_in() { # folder: runs zuvaro there, leaving out, err and code
    (cd "$1" && env -u DISPLAY -u WAYLAND_DISPLAY "$zuvaro" >"$work/out" 2>"$work/err")
    code=$?
}

mkdir "$work/good"
"$w3egen" --shape demo --width 5 --height 3 --tileset L --ground-ids Vmos,Vash \
    --cliff-ids Vcl1 --x-offset -6144 --z-offset 0.00001 "$work/good/war3map.w3e"
run_in "$work/good"
check "exit code of a good load with no display" 1 "$code"
cat >"$work/expected" <<'REPORT'
W3E! - W3E check passed.
Version - 11.  Version check passed
Tile set - L
Custom tile set - 0
Number of ground tile sets - 2
Ground tile set IDs - VmosVash
Number of cliff tile sets - 1
Cliff tile set IDs - Vcl1
Map width - 5
Map height - 3
X offset - -6144
Z offset - 1e-005
Done loading war3map.w3e
REPORT
cmp -s "$work/expected" "$work/out" || { echo "FAIL: report of a good load"; diff "$work/expected" "$work/out"; failures=$((failures + 1)); }
grep -q "^zuvaro: cannot open a window: no display: " "$work/err" ||
    { echo "FAIL: no display, no reason: $(cat "$work/err")"; failures=$((failures + 1)); }

mkdir "$work/empty"
run_in "$work/empty"
check "exit code without a map" 1 "$code"
check "report without a map" "shat" "$(cat "$work/out")"
check "reason without a map" "zuvaro: cannot open war3map.w3e: No such file or directory" \
    "$(cat "$work/err")"

mkdir "$work/cut"
"$w3egen" --width 4 --height 4 --cut 70 "$work/cut/war3map.w3e"
run_in "$work/cut"
check "exit code of a cut map" 1 "$code"
check "last report line of a cut map" "Z offset - -192" "$(tail -n 1 "$work/out")"
check "reason for a cut map" "zuvaro: war3map.w3e: the file ends at byte offset 70, at tile point (column 1, row 0): a grid of 4 by 4 needs 16 tile points of 7 bytes from byte offset 61" \
    "$(cat "$work/err")"

mkdir "$work/odd"
"$w3egen" --width 2 --height 2 --magic 'W3E?' --version 12 --trailing 100 "$work/odd/war3map.w3e"
run_in "$work/odd"
check "exit code of an odd map with no display" 1 "$code"
check "first line of an odd map" "Tile set - V" "$(head -n 1 "$work/out")"

[ "$failures" -eq 0 ] && echo "load report: all checks passed"
exit "$failures"
