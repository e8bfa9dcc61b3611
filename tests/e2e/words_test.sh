#!/usr/bin/env bash
# The words over the picture, as a user meets them, in both programs: none at start in the
# plain view (its picture stays), the status line with Tab, the legend and the status line in a
# coloured view, the point under the cursor described beside it, the keys with F1, and after a
# drop the new map's IDs in the legend on standard output.
# usage: words_test.sh native|wine PROGRAM W3EGEN DROP_FILES [PROGRAM64]   (DISPLAY must be set)
set -u
w3egen=$(realpath "$3") drop_files=$(realpath "$4")
. "$(dirname "$0")/viewer_run.sh" "$1" "$2" "${5:-}"

shot() { import -window "$main" "$work/$1.png"; }
settled() { # name: a screenshot once the picture has stopped changing (a slow machine's keys)
    for _ in $(seq 20); do
        shot "$1"
        sleep 0.3
        shot settling
        [ "$(changed "$1" settling 0 0 800 600)" -lt 50 ] && return
    done
}
changed() { # a b x y width height: pixels that differ in that part of two screenshots
    compare -metric AE -fuzz 3% "$work/$1.png[$5x$6+$3+$4]" "$work/$2.png[$5x$6+$3+$4]" \
        /dev/null 2>&1 | cut -d' ' -f1
}
more_than() { # what, expected least, actual
    [ "$3" -gt "$2" ] && pass || fail "$1: $3, not more than $2"
}
less_than() {
    [ "$3" -lt "$2" ] && pass || fail "$1: $3, not less than $2"
}

mkdir -p "$work/a" "$work/b" "$work/home/Pictures"
pictures=$work/home/Pictures
[ "$mode" = native ] && export HOME=$work/home # the desktop's pictures folder is under it
"$w3egen" --shape demo --width 65 --height 65 --seed 4 --ground-ids Vmos,Vash "$work/a/war3map.w3e"
"$w3egen" --shape demo --width 65 --height 65 --seed 9 --ground-ids Qabc,Qdef "$work/b/war3map.w3e"
(cd "$work" && exec "${run[@]}" a >"$work/out" 2>"$work/err") &
pid=$!
main=$(dismiss_help)
[ -n "$main" ] || { fail "the viewer did not start: $(cat "$work/err")"; finish_checks words; }
press "$main" Right Right Up Up
xdotool mousemove --window "$main" 100 300 # over no ground: no point under the pointer
sleep 0.5

# The plain view starts without words. A coloured view shows its legend at the top left and
# the status line; the point under the cursor gets a panel beside it; F1 the keys in the
# middle.
settled start
press "$main" v
sleep 0.4
shot coloured
xdotool mousemove --window "$main" 500 240
sleep 0.5
shot pointed
more_than "the panel beside the cursor" 3000 "$(changed coloured pointed 520 260 150 80)"
press "$main" F1
sleep 0.4
shot keys
more_than "the keys in the middle" 4000 "$(changed pointed keys 300 200 200 100)"
xdotool mousemove --window "$main" 100 300
press "$main" F1 Tab
sleep 0.4
shot bare
more_than "the legend at the top left" 1500 "$(changed bare keys 8 8 70 60)"
more_than "the status line in a coloured view" 8000 "$(changed bare keys 0 580 800 20)"

# Back in the plain view, Tab brings the words there too, along the bottom, and takes them
# away again, leaving the start's picture as it was.
press "$main" v v v
sleep 0.4
settled plain
less_than "the plain view as at start" 50 "$(changed start plain 0 0 800 600)"
press "$main" Tab
sleep 0.4
shot words
more_than "the status line along the bottom after Tab" 8000 "$(changed start words 0 580 800 20)"
less_than "nothing else changes" 200 "$(changed start words 0 0 800 560)"
press "$main" Tab v
sleep 0.4

# F12: the window's picture in the pictures folder, and where it went.
press "$main" F12
for _ in $(seq 50); do
    tr -d '\r' <"$work/out" | grep -q "^picture: " && break
    sleep 0.1
done
saved=$(tr -d '\r' <"$work/out" | sed -n 's/^picture: //p' | tail -n 1)
[ "$mode" = wine ] && saved=$(winepath -u "$saved" 2>/dev/null)
case "$saved" in
"$pictures"/a-*.png | */a-*.png) pass ;; # named after the map's folder
*) fail "F12: no picture named after the map: '$saved'" ;;
esac
[ "$mode" = wine ] || [ "${saved%/*}" = "$pictures" ] && pass || fail "F12: not in the pictures folder: $saved"
check "F12: the window's size" "800x600" "$(identify -format '%wx%h' "$saved" 2>&1)"
[ "$mode" = wine ] && rm -f "$saved" # in the Wine prefix's pictures folder, outside $work

# A drop while a coloured view shows: the legend of the new map's IDs again.
"$drop_files" "$main" "$work/b" && pass || fail "the window did not take the drop"
for _ in $(seq 100); do
    tr -d '\r' <"$work/out" | grep -q "^view: ground tiles: Qabc" && break
    sleep 0.1
done
check "the legend after the drop" "view: ground tiles: Qabc #2b3d26, Qdef #f6a600; unlisted #808080" \
    "$(tr -d '\r' <"$work/out" | grep '^view: ground tiles' | tail -n 1)"

press "$main" Escape
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
wait "$pid"
check "exit code after Escape" 0 "$?"
pid=""
finish_checks words
