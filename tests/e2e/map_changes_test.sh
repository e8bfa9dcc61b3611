#!/usr/bin/env bash
# The shown map replaced while the viewer runs, as a user does it: a folder dropped on the
# window, the file rewritten in an editor (cut mid-write, then finished), F5, and failures
# that keep the shown map and say why in one box per attempt.
# usage: map_changes_test.sh native|wine PROGRAM W3EGEN DROP_FILES [PROGRAM64]
#   (DISPLAY must be set)
set -u
w3egen=$(realpath "$3") drop_files=$(realpath "$4")
. "$(dirname "$0")/viewer_run.sh" "$1" "$2" "${5:-}"

loads() { tr -d '\r' <"$work/out" | grep -c '^Done loading '; }
loaded() { [ "$(loads)" -ge "$1" ]; }
wait_for_loads() { eventually loaded "$1"; } # count: waits until that many reports have ended
shot() { screenshot "$main" "$work/$1.png"; }
differ() { pixels_apart "$work/$1.png" "$work/$2.png"; }
apart() { shot_apart "$main" "$work/$1.png" "$work/$2.png" "$3"; } # before, now, least
near() { shot_near "$main" "$work/$1.png" "$work/$2.png" "$3"; }    # reference, now, most
grey_pixels() {
    convert "$work/$1.png" -depth 8 rgb:- 2>/dev/null | od -An -v -tu1 -w3 |
        awk '$1 == $2 && $2 == $3 && $1 > 8 { n++ } END { print n + 0 }'
}
# expect_box WHAT: one message box, dismissed; then none for the next 3 s (a box coming back
# is an event that may come late: only time tells that it does not).
expect_box() {
    local box
    box=$(wait_for_window Zuvaro)
    if [ -z "$box" ]; then
        fail "$1: no message box"
        return
    fi
    pass
    press "$box" Return
    eventually no_box
    sleep 3
    [ -z "$(window_named Zuvaro)" ] && pass || fail "$1: the box came back"
}

no_box() { [ -z "$(window_named Zuvaro)" ]; }

mkdir -p "$work/a" "$work/b" "$work/empty" "$work/地图 Карта"
"$w3egen" --shape flat --width 65 --height 65 "$work/a/war3map.w3e"
"$w3egen" --shape demo --width 97 --height 65 --seed 3 "$work/b/war3map.w3e"
"$w3egen" --shape ramp-rows --width 65 --height 97 --step 24 "$work/c.w3e"
"$w3egen" --shape bump --width 33 --height 33 "$work/地图 Карта/war3map.w3e"
"$w3egen" --shape demo --width 9 --height 9 --cut 200 "$work/broken.w3e"

(cd "$work" && exec "${run[@]}" a/war3map.w3e >"$work/out" 2>"$work/err") &
pid=$!
main=$(dismiss_help)
[ -n "$main" ] || { fail "the viewer did not start: $(cat "$work/err")"; exit 1; }
settled "$main" "$work/a.png"

# --- A dropped folder replaces the map; the camera starts again, the polygon mode stays.
xdotool windowfocus "$main" keydown Up sleep 0.5 keyup Up
press "$main" w
eventually apart a lines_a 20000 && settled "$main" "$work/lines_a.png"
"$drop_files" "$main" "$work/b" && pass || fail "the window did not take the drop"
wait_for_loads 2 && pass || fail "no report after the drop: $(cat "$work/err")"
tr -d '\r' <"$work/out" | tail -n 1 | grep -q "^Done loading .*b.war3map.w3e$" && pass ||
    fail "the report does not name the dropped map: $(tail -n 1 "$work/out")"
eventually apart lines_a lines 0 && settled "$main" "$work/lines.png"
lines=$(grey_pixels lines)
press "$main" f
filled_in() { shot b1 && [ "$(grey_pixels b1)" -gt $((lines * 2)) ]; }
eventually filled_in && pass ||
    fail "wireframe did not stay: $lines grey pixels, $(grey_pixels b1) filled"
settled "$main" "$work/b1.png"
xdotool windowfocus "$main" keydown Up sleep 0.5 keyup Up
eventually apart b1 flown 2000 && pass || fail "Up did not fly over the dropped map"
settled "$main" "$work/flown.png"
"$drop_files" "$main" "$work/b"
wait_for_loads 3
eventually near b1 b2 2000 && pass ||
    fail "the camera did not go back to the start ($(differ b1 b2) pixels from the start)"
[ "$(differ a b1)" -gt 20000 ] && pass || fail "the dropped map looks like the first"

# --- The file rewritten, cut mid-write then finished: loaded once, whole, with no box.
size=$(stat -c %s "$work/c.w3e")
head -c $((size / 2)) "$work/c.w3e" >"$work/b/war3map.w3e"
sleep 0.8 # an editor part-way through writing it
tail -c +$((size / 2 + 1)) "$work/c.w3e" >>"$work/b/war3map.w3e"
wait_for_loads 4 && pass || fail "no reload after the file changed"
sleep 2.5 # two more looks at the file, which must not load it again
check "reports after the rewrite" 4 "$(loads)"
[ -z "$(window_named Zuvaro)" ] && pass || fail "a box for a file still being written"
grep -q "Map height - 97" <(tr -d '\r' <"$work/out" | tail -n 12) && pass ||
    fail "the reloaded map is not the new file"
eventually apart b2 c 2000 && settled "$main" "$work/c.png"

# --- A broken file: the shown map stays, one box per attempt (the change, then F5).
cp "$work/broken.w3e" "$work/b/war3map.w3e"
expect_box "a broken file on disk"
grep -q "zuvaro: .*war3map.w3e: the file ends" "$work/err" && pass ||
    fail "no reason for the broken file: $(tail -n 2 "$work/err")"
kill -0 "$pid" && pass || fail "the viewer ended after a failed reload"
settled "$main" "$work/kept.png"
[ "$(differ c kept)" -lt 2000 ] && pass || fail "the shown map changed after a failed reload"
press "$main" F5
expect_box "F5 on a broken file"

# --- The file mended, then F5 and a dropped folder with no map.
cp "$work/c.w3e" "$work/b/war3map.w3e"
wait_for_loads 5 && pass || fail "no reload after the file was mended"
press "$main" F5
wait_for_loads 6 && pass || fail "F5 did not reload"
# --- A folder named in other scripts, dropped: the report names it as the desktop gave it.
"$drop_files" "$main" "$work/地图 Карта"
wait_for_loads 7 && pass || fail "no report after dropping a folder named in Chinese and Cyrillic"
tr -d '\r' <"$work/out" | tail -n 1 | grep -q "^Done loading .*地图 Карта.war3map.w3e$" && pass ||
    fail "the report does not name the folder in its script: $(tail -n 1 "$work/out")"
"$drop_files" "$main" "$work/empty"
expect_box "a dropped folder with no map"
grep -q "zuvaro: cannot open .*empty.war3map.w3e: No such file or directory" "$work/err" && pass ||
    fail "no reason for the empty folder: $(tail -n 1 "$work/err")"
check "reports in all" 7 "$(loads)"

press "$main" Escape
eventually gone "$pid"
wait "$pid"
code=$?
check "exit code after Escape" 0 "$code"
[ "$code" -eq 0 ] || tail -n 30 "$work/err"
pid=""

finish_checks "map changes"
