#!/usr/bin/env bash
# The mouse camera, the overview and the level-of-detail switch on the real programs, as a user
# meets them: the wheel, a left and a right drag, D in the title, O showing the whole map with
# the background round it, a click there going back to the map, and measuring with Shift.
# usage: mouse_camera_test.sh native|wine PROGRAM W3EGEN [PROGRAM64]   (DISPLAY must be set)
set -u
w3egen=$(realpath "$3")
. "$(dirname "$0")/viewer_run.sh" "$1" "$2" "${4:-}"

shot() { screenshot "$main" "$work/$1.png"; }
differ() { pixels_apart "$work/$1.png" "$work/$2.png"; }
apart() { shot_apart "$main" "$work/$1.png" "$work/$2.png" "$3"; } # before, now, least
dark_at() { # x y: whether the window's pixel there is background (black)
    convert "$work/$1.png" -format "%[fx:(p{$2,$3}.r+p{$2,$3}.g+p{$2,$3}.b)<0.05?1:0]" info:
}
corners() { # name: whether each corner and the middle are background
    echo "$(dark_at "$1" 2 2) $(dark_at "$1" 797 2) $(dark_at "$1" 2 597) $(dark_at "$1" 797 597) $(dark_at "$1" 400 300)"
}
shows_corners() { # name expected: a screenshot whose corners and middle are as expected
    shot "$1" && [ "$(corners "$1")" = "$2" ]
}
title() { xdotool getwindowname "$main"; }
mouse() { xdotool mousemove --window "$main" "$@"; }

mkdir "$work/map"
"$w3egen" --shape demo --width 129 --height 129 --seed 5 "$work/map/war3map.w3e"
(cd "$work/map" && exec "${run[@]}" >"$work/out" 2>"$work/err") &
pid=$!
main=$(dismiss_help)
[ -n "$main" ] || { fail "the viewer did not start: $(cat "$work/err")"; finish_checks "mouse camera"; }
settled "$main" "$work/corner.png"
press "$main" Right Right Right Up Up Up # a little way in from the corner, the map ahead
eventually apart corner moved 0 && settled "$main" "$work/start.png"

# The wheel away from the user zooms in; a left drag pans; a right drag turns. Each gesture
# starts once the last one's picture has settled.
mouse 400 300 click 4 click 4
eventually apart start wheel 20000 && pass || fail "the wheel did not zoom ($(differ start wheel))"
settled "$main" "$work/wheel.png"
mouse 400 300 mousedown 1 mousemove --window "$main" 360 330 mousemove --window "$main" 300 380 \
    sleep 0.2 mouseup 1
eventually apart wheel pan 20000 && pass || fail "a left drag did not pan ($(differ wheel pan))"
settled "$main" "$work/pan.png"
mouse 400 300 mousedown 3 mousemove --window "$main" 450 300 mousemove --window "$main" 520 280 \
    sleep 0.2 mouseup 3
eventually apart pan turn 20000 && pass || fail "a right drag did not turn ($(differ pan turn))"

# D switches the level of detail, and the title says so while it is off.
press "$main" d
eventually title_is "$main" "* - level of detail off" && pass || fail "D: the title is '$(title)'"
press "$main" d
eventually title_is "$main" "V3U Zuvaro - Kelpmoor Entertainment \[ FPS:*([0-9]) \]" && pass ||
    fail "D again: the title is '$(title)'"

# O: the whole map, the background all round it; a click on it goes back to the map there.
press "$main" o
eventually shows_corners overview "1 1 1 1 0" && pass ||
    fail "overview: background in the corners and terrain in the middle: $(corners overview)"
settled "$main" "$work/overview.png"
mouse 300 200 click 1
eventually apart overview back 50000 && pass || fail "a click in the overview did not go back"
back_on_the_map() { shot back && [ "$(dark_at back 2 597) $(dark_at back 797 597)" = "0 0" ]; }
eventually back_on_the_map && pass || fail "back from the overview, the lower corners are not terrain"

# Measuring: Shift and two clicks draw a path over the ground, in the measure's yellow, with
# its panel; Backspace leaves one point; Shift and a right click clear it.
settled "$main" "$work/unmeasured.png"
yellow() { # name: the measure's yellow pixels (red and green high, blue low)
    convert "$work/$1.png" -depth 8 rgb:- 2>/dev/null | od -An -v -tu1 -w3 |
        awk '$1 > 200 && $2 > 170 && $3 < 80 { n++ } END { print n + 0 }'
}
yellow_between() { shot "$1" && [ "$(yellow "$1")" -gt "$2" ] && [ "$(yellow "$1")" -lt "$3" ]; }
base=$(yellow unmeasured)
mouse 200 400 keydown shift click 1 mousemove --window "$main" 600 380 click 1 keyup shift
eventually yellow_between path $((base + 500)) 1000000 && pass ||
    fail "no path after two Shift-clicks: $(yellow path) yellow pixels against $base"
press "$main" BackSpace
eventually yellow_between point $((base + 10)) $((base + 400)) && pass ||
    fail "Backspace did not leave one point: $(yellow point) yellow pixels against $base"
mouse 400 300 keydown shift click 3 keyup shift
eventually yellow_between cleared -1 $((base + 10)) && pass ||
    fail "Shift and a right click did not clear: $(yellow cleared) against $base"

press "$main" Escape
eventually gone "$pid"
wait "$pid"
check "exit code after Escape" 0 "$?"
pid=""
finish_checks "mouse camera"
