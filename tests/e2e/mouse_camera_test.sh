#!/usr/bin/env bash
# The mouse camera, the overview and the level-of-detail switch on the real programs, as a user
# meets them: the wheel, a left and a right drag, D in the title, O showing the whole map with
# the background round it, and a click there going back to the map.
# usage: mouse_camera_test.sh native|wine PROGRAM W3EGEN [PROGRAM64]   (DISPLAY must be set)
set -u
w3egen=$(realpath "$3")
. "$(dirname "$0")/viewer_run.sh" "$1" "$2" "${4:-}"

shot() { import -window "$main" "$work/$1.png"; }
differ() { # a b: pixels that differ between two screenshots
    compare -metric AE "$work/$1.png" "$work/$2.png" /dev/null 2>&1 | cut -d' ' -f1
}
dark_at() { # x y: whether the window's pixel there is background (black)
    convert "$work/$1.png" -format "%[fx:(p{$2,$3}.r+p{$2,$3}.g+p{$2,$3}.b)<0.05?1:0]" info:
}
title() { xdotool getwindowname "$main"; }
mouse() { xdotool mousemove --window "$main" "$@"; }

mkdir "$work/map"
"$w3egen" --shape demo --width 129 --height 129 --seed 5 "$work/map/war3map.w3e"
(cd "$work/map" && exec "${run[@]}" >"$work/out" 2>"$work/err") &
pid=$!
main=$(dismiss_help)
[ -n "$main" ] || { fail "the viewer did not start: $(cat "$work/err")"; finish_checks "mouse camera"; }
press "$main" Right Right Right Up Up Up # a little way in from the corner, the map ahead
sleep 0.3
shot start

# The wheel away from the user zooms in; a left drag pans; a right drag turns.
mouse 400 300 click 4 click 4
sleep 0.4
shot wheel
[ "$(differ start wheel)" -gt 20000 ] && pass || fail "the wheel did not zoom ($(differ start wheel))"
mouse 400 300 mousedown 1 mousemove --window "$main" 360 330 mousemove --window "$main" 300 380 \
    sleep 0.2 mouseup 1
sleep 0.4
shot pan
[ "$(differ wheel pan)" -gt 20000 ] && pass || fail "a left drag did not pan ($(differ wheel pan))"
mouse 400 300 mousedown 3 mousemove --window "$main" 450 300 mousemove --window "$main" 520 280 \
    sleep 0.2 mouseup 3
sleep 0.4
shot turn
[ "$(differ pan turn)" -gt 20000 ] && pass || fail "a right drag did not turn ($(differ pan turn))"

# D switches the level of detail, and the title says so while it is off.
press "$main" d
sleep 0.4
case "$(title)" in
*" - level of detail off") pass ;;
*) fail "D: the title is '$(title)'" ;;
esac
press "$main" d
sleep 0.4
case "$(title)" in
"V3U Zuvaro - Kelpmoor Entertainment [ FPS:"*" ]") pass ;;
*) fail "D again: the title is '$(title)'" ;;
esac

# O: the whole map, the background all round it; a click on it goes back to the map there.
press "$main" o
sleep 0.5
shot overview
check "overview: background in the corners and terrain in the middle" "1 1 1 1 0" \
    "$(dark_at overview 2 2) $(dark_at overview 797 2) $(dark_at overview 2 597) $(dark_at overview 797 597) $(dark_at overview 400 300)"
mouse 300 200 click 1
sleep 0.5
shot back
[ "$(differ overview back)" -gt 50000 ] && pass || fail "a click in the overview did not go back"
check "back from the overview, terrain fills the lower corners" "0 0" \
    "$(dark_at back 2 597) $(dark_at back 797 597)"

press "$main" Escape
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
wait "$pid"
check "exit code after Escape" 0 "$?"
pid=""
finish_checks "mouse camera"
