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
wait_for_loads() { # count [seconds]: waits until that many reports have ended
    for _ in $(seq $((${2:-10} * 10))); do
        [ "$(loads)" -ge "$1" ] && return 0
        sleep 0.1
    done
    return 1
}
shot() { import -window "$main" "$work/$1.png"; }
differ() { # a b: pixels that differ between two screenshots
    compare -metric AE "$work/$1.png" "$work/$2.png" /dev/null 2>&1 | cut -d' ' -f1
}
grey_pixels() {
    import -window "$main" -depth 8 rgb:- 2>/dev/null | od -An -v -tu1 -w3 |
        awk '$1 == $2 && $2 == $3 && $1 > 8 { n++ } END { print n + 0 }'
}
# expect_box WHAT: one message box within 10 s, dismissed; then none for the next 3 s.
expect_box() {
    local box
    box=$(wait_for_window Zuvaro 10)
    if [ -z "$box" ]; then
        fail "$1: no message box"
        return
    fi
    pass
    press "$box" Return
    for _ in $(seq 30); do [ -z "$(window_named Zuvaro)" ] && break; sleep 0.1; done
    sleep 3
    [ -z "$(window_named Zuvaro)" ] && pass || fail "$1: the box came back"
}

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
sleep 1
shot a

# --- A dropped folder replaces the map; the camera starts again, the polygon mode stays.
xdotool windowfocus "$main" keydown Up sleep 0.5 keyup Up
press "$main" w
"$drop_files" "$main" "$work/b" && pass || fail "the window did not take the drop"
wait_for_loads 2 && pass || fail "no report after the drop: $(cat "$work/err")"
tr -d '\r' <"$work/out" | tail -n 1 | grep -q "^Done loading .*b.war3map.w3e$" && pass ||
    fail "the report does not name the dropped map: $(tail -n 1 "$work/out")"
sleep 0.5
lines=$(grey_pixels)
press "$main" f
sleep 0.3
filled=$(grey_pixels)
[ "$lines" -lt $((filled / 2)) ] && pass ||
    fail "wireframe did not stay: $lines grey pixels, $filled filled"
shot b1
xdotool windowfocus "$main" keydown Up sleep 0.5 keyup Up
sleep 0.3
shot flown
"$drop_files" "$main" "$work/b"
wait_for_loads 3
sleep 0.5
shot b2
[ "$(differ b1 b2)" -lt 2000 ] && [ "$(differ b1 flown)" -gt 2000 ] && pass ||
    fail "the camera did not go back to the start ($(differ b1 b2) and $(differ b1 flown) pixels)"
[ "$(differ a b1)" -gt 20000 ] && pass || fail "the dropped map looks like the first"

# --- The file rewritten, cut mid-write then finished: loaded once, whole, with no box.
size=$(stat -c %s "$work/c.w3e")
head -c $((size / 2)) "$work/c.w3e" >"$work/b/war3map.w3e"
sleep 0.8
tail -c +$((size / 2 + 1)) "$work/c.w3e" >>"$work/b/war3map.w3e"
wait_for_loads 4 && pass || fail "no reload after the file changed"
sleep 2.5
check "reports after the rewrite" 4 "$(loads)"
[ -z "$(window_named Zuvaro)" ] && pass || fail "a box for a file still being written"
grep -q "Map height - 97" <(tr -d '\r' <"$work/out" | tail -n 12) && pass ||
    fail "the reloaded map is not the new file"
shot c

# --- A broken file: the shown map stays, one box per attempt (the change, then F5).
cp "$work/broken.w3e" "$work/b/war3map.w3e"
expect_box "a broken file on disk"
grep -q "zuvaro: .*war3map.w3e: the file ends" "$work/err" && pass ||
    fail "no reason for the broken file: $(tail -n 2 "$work/err")"
kill -0 "$pid" && pass || fail "the viewer ended after a failed reload"
shot kept
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
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
wait "$pid"
code=$?
check "exit code after Escape" 0 "$code"
[ "$code" -eq 0 ] || tail -n 30 "$work/err"
pid=""

finish_checks "map changes"
