#!/usr/bin/env bash
# The words over the picture, as a user meets them, in both programs: none at start in the
# plain view (its picture stays), the status line with Tab, the legend and the status line in a
# coloured view, the point under the cursor described beside it, the keys with F1, and after a
# drop the new map's IDs in the legend on standard output.
# usage: words_test.sh native|wine PROGRAM W3EGEN DROP_FILES [PROGRAM64]   (DISPLAY must be set)
set -u
w3egen=$(realpath "$3") drop_files=$(realpath "$4")
. "$(dirname "$0")/viewer_run.sh" "$1" "$2" "${5:-}"

shot() { screenshot "$main" "$work/$1.png"; }
changed() { # a b x y width height: pixels that differ in that part of two screenshots
    compare -metric AE -fuzz 3% "$work/$1.png[$5x$6+$3+$4]" "$work/$2.png[$5x$6+$3+$4]" \
        /dev/null 2>&1 | cut -d' ' -f1
}
# Checks for `eventually`: a new screenshot NAME against an earlier one, in a part of it.
more_changed() { # name earlier least x y width height
    shot "$1" && [ "$(changed "$2" "$1" "$4" "$5" "$6" "$7")" -gt "$3" ]
}
less_changed() { # name earlier most x y width height
    shot "$1" && [ "$(changed "$2" "$1" "$4" "$5" "$6" "$7")" -lt "$3" ]
}
more_than() { # what, least, name, earlier, x y width height
    eventually more_changed "$3" "$4" "$2" "$5" "$6" "$7" "$8" && pass ||
        fail "$1: $(changed "$4" "$3" "$5" "$6" "$7" "$8"), not more than $2"
}
less_than() {
    eventually less_changed "$3" "$4" "$2" "$5" "$6" "$7" "$8" && pass ||
        fail "$1: $(changed "$4" "$3" "$5" "$6" "$7" "$8"), not less than $2"
}
title() { xdotool getwindowname "$main"; }

mkdir -p "$work/a" "$work/b" "$work/home/Pictures"
if [ "$mode" = native ]; then
    pictures=$work/home/Pictures
    export HOME=$work/home # the desktop's pictures folder is under it
else
    # The prefix's own folder; F12's pictures of map a go with the test, also when it fails.
    pictures=$wine_pictures
    trap 'cleanup; rm -f "$pictures"/a-*.png' EXIT
fi
"$w3egen" --shape demo --width 65 --height 65 --seed 4 --ground-ids Vmos,Vash "$work/a/war3map.w3e"
"$w3egen" --shape demo --width 65 --height 65 --seed 9 --ground-ids Qabc,Qdef "$work/b/war3map.w3e"
(cd "$work" && exec "${run[@]}" a >"$work/out" 2>"$work/err") &
pid=$!
main=$(dismiss_help)
[ -n "$main" ] || { fail "the viewer did not start: $(cat "$work/err")"; finish_checks words; }
settled "$main" "$work/corner.png"
press "$main" Right Right Up Up
xdotool mousemove --window "$main" 100 300 # over no ground: no point under the pointer

# The plain view starts without words. A coloured view shows its legend at the top left and
# the status line; the point under the cursor gets a panel beside it; F1 the keys in the
# middle. Each step waits for the picture to show what it checks.
eventually shot_apart "$main" "$work/corner.png" "$work/moved.png" 0
settled "$main" "$work/start.png"
press "$main" v
eventually title_is "$main" "* ] - ground tiles" && settled "$main" "$work/coloured.png"
xdotool mousemove --window "$main" 500 240
more_than "the panel beside the cursor" 3000 pointed coloured 520 260 150 80
settled "$main" "$work/pointed.png"
press "$main" F1
more_than "the keys in the middle" 4000 keys pointed 300 200 200 100
settled "$main" "$work/keys.png"
xdotool mousemove --window "$main" 100 300
press "$main" F1 Tab
more_than "the legend at the top left" 1500 bare keys 8 8 70 60
more_than "the status line in a coloured view" 8000 bare keys 0 580 800 20

# Back in the plain view, Tab brings the words there too, along the bottom, and takes them
# away again, leaving the start's picture as it was.
press "$main" v v v
eventually title_is "$main" "V3U Zuvaro - Kelpmoor Entertainment \[ FPS:*([0-9]) \]"
less_than "the plain view as at start" 50 plain start 0 0 800 600
press "$main" Tab
more_than "the status line along the bottom after Tab" 8000 words start 0 580 800 20
less_than "nothing else changes" 200 words start 0 0 800 560
press "$main" Tab v
eventually title_is "$main" "* ] - ground tiles"

# F12: the window's picture in the pictures folder, and where it went.
press "$main" F12
said_picture() { tr -d '\r' <"$work/out" | grep -q "^picture: "; }
eventually said_picture
saved=$(tr -d '\r' <"$work/out" | sed -n 's/^picture: //p' | tail -n 1)
if [ "$mode" = wine ]; then
    saved=$(wine_path_u "$saved" 2>&1) || fail "F12: winepath failed: $saved"
fi
case "$saved" in
*/a-*.png) pass ;; # named after the map's folder
*) fail "F12: no picture named after the map: '$saved'" ;;
esac
check "F12: in the pictures folder" "$(realpath "$pictures")" "$(realpath "${saved%/*}" 2>&1)"
check "F12: the window's size" "800x600" "$(identify -format '%wx%h' "$saved" 2>&1)"

# A drop while a coloured view shows: the legend of the new map's IDs again.
"$drop_files" "$main" "$work/b" && pass || fail "the window did not take the drop"
said_new_legend() { tr -d '\r' <"$work/out" | grep -q "^view: ground tiles: Qabc"; }
eventually said_new_legend
check "the legend after the drop" "view: ground tiles: Qabc #2b3d26, Qdef #f6a600; unlisted #808080" \
    "$(tr -d '\r' <"$work/out" | grep '^view: ground tiles' | tail -n 1)"

press "$main" Escape
eventually gone "$pid"
wait "$pid"
check "exit code after Escape" 0 "$?"
pid=""
finish_checks words
