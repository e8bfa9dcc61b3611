#!/usr/bin/env bash
# The viewer end to end on an X display, as a user meets it: report, help box, window,
# frames and title, keys, picture, exit codes. The same scenarios run for the Linux program
# and for the Windows program under Wine.
# usage: viewer_e2e.sh native|wine PROGRAM W3EGEN CLOSE_REQUEST [PROGRAM64]
#   (DISPLAY must be set; under Wine, PROGRAM64 is the 64-bit build, for machines that run no
#   32-bit code)
set -u
w3egen=$(realpath "$3") close_request=$(realpath "$4")
. "$(dirname "$0")/viewer_run.sh" "$1" "$2" "${5:-}"

start() { # folder: starts the viewer there in the background
    (cd "$1" && exec "${run[@]}" >"$work/out" 2>"$work/err") &
    pid=$!
}

finish() { # waits for the viewer to end; sets code (124 when it does not)
    eventually gone "$pid"
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        code=124
    else
        wait "$pid"
        code=$?
    fi
    pid=""
}

# Counts of a screenshot's pixels.
rgb() { convert "$1" -depth 8 rgb:- 2>/dev/null | od -An -v -tu1 -w3; }
grey_pixels() { # r = g = b > 8: lit white terrain
    rgb "$1" | awk '$1 == $2 && $2 == $3 && $1 > 8 { n++ } END { print n + 0 }'
}
white_pixels() { # pure white: unlit white terrain
    rgb "$1" | awk '$1 == 255 && $2 == 255 && $3 == 255 { n++ } END { print n + 0 }'
}
coloured_pixels() { # channels more than 40 apart
    rgb "$1" | awk '{
        hi = $1; lo = $1
        for (i = 2; i <= 3; i++) { if ($i > hi) hi = $i; if ($i < lo) lo = $i }
        if (hi - lo > 40) n++ } END { print n + 0 }'
}
yellow_pixels() {
    rgb "$1" | awk '$1 > 100 && $2 > 100 && $3 * 3 < $1 { n++ } END { print n + 0 }'
}
shot() { screenshot "$main" "$work/$1.png"; }
differ() { pixels_apart "$work/$1.png" "$work/$2.png"; }
# shows NAME COUNTER LEAST [MOST]: a screenshot NAME whose COUNTER count is above LEAST (and
# below MOST); a check for `eventually`.
shows() {
    shot "$1"
    local n
    n=$("$2" "$work/$1.png")
    [ "$n" -gt "$3" ] && [ "$n" -lt "${4:-100000000}" ]
}
apart() { shot_apart "$main" "$work/$1.png" "$work/$2.png" "$3"; } # before, now, least
title() { xdotool getwindowname "$main"; }

# A map and the report it must give.
mkdir "$work/map"
"$w3egen" --shape demo --width 129 --height 129 --seed 11 --tileset Q --ground-ids Vmos,Vash \
    --cliff-ids Vcl1 --x-offset -6144 --z-offset 12345678 "$work/map/war3map.w3e"
cat >"$work/expected" <<'REPORT'
W3E! - W3E check passed.
Version - 11.  Version check passed
Tile set - Q
Custom tile set - 0
Number of ground tile sets - 2
Ground tile set IDs - VmosVash
Number of cliff tile sets - 1
Cliff tile set IDs - Vcl1
Map width - 129
Map height - 129
X offset - -6144
Z offset - 1.23457e+007
Done loading war3map.w3e
REPORT
# Standard output is a text stream: on Windows its lines end with CR LF.
[ "$mode" = wine ] && sed -i 's/$/\r/' "$work/expected"

# --- A session: help box, window, frames, keys, Escape.
start "$work/map"
box=$(wait_for_window "Ulmic's .v3u Zuvaro")
if [ -z "$box" ]; then
    fail "no help box appeared"
    cat "$work/err"
    exit 1
fi
pass
cmp -s "$work/expected" "$work/out" && pass || { fail "report differs"; diff "$work/expected" "$work/out"; }
main=$(window_named "V3U Zuvaro - Kelpmoor Entertainment")
if [ -n "$main" ] && is_viewable "$main"; then fail "main window shown before the help was dismissed"; else pass; fi

press "$box" Return
main=$(wait_for_window "V3U Zuvaro - Kelpmoor Entertainment")
[ -n "$main" ] && pass || fail "main window did not appear"
size=$(xwininfo -id "$main" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
check "client area" 800x600 "$size"
xprop -id "$main" _NET_WM_ICON | grep -q "Icon (" && pass || fail "the window has no icon"

has_frame_rate() {
    title_is "$main" "V3U Zuvaro - Kelpmoor Entertainment \[ FPS:[1-9]*([0-9]) \]"
}
eventually has_frame_rate && pass || fail "title shows no frame rate: $(title)"

eventually shows start grey_pixels 100000 && pass ||
    fail "lit white terrain: only $(grey_pixels "$work/start.png") grey pixels"
settled "$main" "$work/before.png"
xdotool windowfocus "$main" keydown Up sleep 0.25 keyup Up
eventually apart before after 1000 && pass ||
    fail "holding Up did not change the picture ($(differ before after))"
# Back to the near edge: Down stops half a tile inside it, whatever the frame rate.
xdotool windowfocus "$main" keydown Down sleep 1.5 keyup Down
settled "$main" "$work/near.png"
filled=$(grey_pixels "$work/near.png")

press "$main" w
eventually shows lines grey_pixels 500 $((filled * 3 / 4)) && pass ||
    fail "W: $(grey_pixels "$work/lines.png") grey pixels against $filled filled"
lines=$(grey_pixels "$work/lines.png")
press "$main" f
eventually shows refilled grey_pixels $((lines * 2)) && pass ||
    fail "F: $(grey_pixels "$work/refilled.png") grey pixels after $lines in lines"

# --- Views, water, zoom and the lighting switch: each acts once per press, held or not.
xdotool windowfocus "$main" keydown v sleep 0.4 keyup v
eventually title_is "$main" "* ] - ground tiles" && pass || fail "V: the title is '$(title)'"
legend="view: ground tiles: Vmos #dcd300, Vash #e68fac; unlisted #808080"
said_legend() { tr -d '\r' <"$work/out" | grep -qx "$legend"; }
eventually said_legend && pass || fail "V: no legend on standard output: $(tail -n 1 "$work/out")"
eventually shows coloured coloured_pixels 100000 && pass || fail "V: the terrain is not coloured"
# Zoomed out, lakes come into view (away from the corner: at 8192 up the eye would be in the
# light's marker, which hangs 8192 above it). The camera's height is in the status line.
xdotool windowfocus "$main" keydown Right sleep 0.6 keyup Right
press "$main" Next Next
eventually apart coloured water 20000 && settled "$main" "$work/water.png" && pass ||
    fail "Page Down did not zoom out"
press "$main" h
eventually apart water dry 2000 && pass || fail "H did not hide the water ($(differ water dry))"
press "$main" h Home
eventually apart water home 10000 && pass || fail "Home did not bring the camera down"
press "$main" v v v
eventually title_is "$main" "V3U Zuvaro - Kelpmoor Entertainment \[ FPS:*([0-9]) \]" && pass ||
    fail "back in the plain view, the title is '$(title)'"
settled "$main" "$work/lit.png"
lit=$(white_pixels "$work/lit.png")
xdotool windowfocus "$main" keydown l sleep 0.5 keyup l # many frames, one switch
eventually shows unlit white_pixels 100000 && [ "$lit" -lt 1000 ] && pass ||
    fail "L held: $lit then $(white_pixels "$work/unlit.png") pure white pixels (lighting should be off after one switch)"
xdotool windowfocus "$main" keydown l sleep 0.5 keyup l
eventually shows relit white_pixels -1 1000 && pass || fail "a second press of L did not light it again"
xdotool windowfocus "$main" keydown Left sleep 1.5 keyup Left # back by the light (x = 64)

# Lower the light towards the camera until its marker comes into view: one short press at a
# time (a frame or two of M each), since it is in view only within some 700 units. Each
# press waits for the picture to show it before the next.
yellow=0
xdotool windowfocus "$main"
settled "$main" "$work/light.png"
for _ in $(seq 150); do
    xdotool key --delay 0 m
    eventually apart light lowered 0 || break
    mv "$work/lowered.png" "$work/light.png"
    yellow=$(yellow_pixels "$work/light.png")
    [ "$yellow" -gt 50 ] && break
done
[ "$yellow" -gt 50 ] && pass || fail "the light marker never came into view"

press "$main" Escape
finish
check "exit code after Escape" 0 "$code"

# --- Standard output into a pipe whose reader goes after the first line: the rest of the
# report and a legend line go nowhere, and the viewer runs on until Escape.
(cd "$work/map" && "${run[@]}" 2>"$work/err" | head -n 1 >"$work/first"
    echo "${PIPESTATUS[0]}" >"$work/piped_code") &
piped=$!
main=$(dismiss_help)
[ -n "$main" ] && pass || fail "the viewer did not outlive the reader of its output: $(cat "$work/err")"
press "$main" v
# The title changes in the frame after the legend line was written.
eventually title_is "$main" "* ] - ground tiles" && pass ||
    fail "the viewer ended after writing a legend line to a closed pipe"
press "$main" v v v Escape
wait "$piped"
check "exit code after Escape, with the output's reader gone" 0 "$(cat "$work/piped_code")"
check "the reader got the first line" "W3E! - W3E check passed." "$(tr -d '\r' <"$work/first")"

# --- Closing the window from the desktop.
start "$work/map"
main=$(dismiss_help)
"$close_request" "$main"
finish
check "exit code after a close request" 0 "$code"

# --- No map.
mkdir "$work/empty"
start "$work/empty"
finish
check "exit code without a map" 1 "$code"
check "report without a map" shat "$(tr -d '\r' <"$work/out")"
grep -q "zuvaro: cannot open war3map.w3e: " "$work/err" && pass || fail "no reason given: $(cat "$work/err")"
[ -z "$(window_named "Ulmic's .v3u Zuvaro")" ] && pass || fail "a window appeared without a map"

# --- No display.
new_session
(cd "$work/map" && env -u DISPLAY "${run[@]}" >"$work/out" 2>"$work/err") &
pid=$!
finish
check "exit code without a display" 1 "$code"
# Under Wine the window may come from its display-less driver; then OpenGL setup says no.
grep -Eq "zuvaro: cannot (open a window|set the window's pixel format|create an OpenGL context)" \
    "$work/err" && pass || fail "no display, no reason: $(tail -n 3 "$work/err")"

finish_checks viewer
