#!/usr/bin/env bash
# A minute of random input for the viewer (a sanitizer build, ideally): viewer keys held and
# released, Alt combinations, focus taken away and given back, resizes, the map dropped on the
# window again and rewritten on disk; then Escape. It must end with exit code 0 and no
# sanitizer report. Each run draws a new seed and prints it; ZUVARO_MONKEY_SEED replays one.
# usage: monkey.sh PROGRAM W3EGEN DROP_FILES [SECONDS]   (DISPLAY must be set)
set -u
program=$(realpath "$1") w3egen=$(realpath "$2") drop_files=$(realpath "$3") seconds=${4:-60}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
seed=${ZUVARO_MONKEY_SEED:-$(((RANDOM << 15 | RANDOM) % 1000000))}
echo "monkey: seed $seed (ZUVARO_MONKEY_SEED=$seed replays this run's input)"
RANDOM=$seed
# Demo terrain has cliff layers, ramps, water and boundaries; the grid is not square.
mkdir "$work/map"
"$w3egen" --width 65 --height 97 --seed 5 "$work/map/war3map.w3e"
"$w3egen" --width 97 --height 33 --seed 6 "$work/other.w3e"
(cd "$work/map" && exec "$program" >"$work/out" 2>"$work/err") &
pid=$!

. "$(dirname "$0")/../x_windows.sh"
main=$(dismiss_help)
[ -n "$main" ] || { echo "FAIL: the viewer did not start"; cat "$work/err"; exit 1; }
root=$(xwininfo -root | awk '/Window id:/ {print $4}')

keys=(Up Down Left Right w p f i u k m l v h Prior Next Home F5 a 1 space shift ctrl)
end=$((SECONDS + seconds))
actions=0
while [ $SECONDS -lt $end ] && kill -0 "$pid" 2>/dev/null; do
    key=${keys[RANDOM % ${#keys[@]}]}
    case $((RANDOM % 24)) in
    0 | 1 | 2 | 3 | 4 | 5) xdotool keydown "$key" ;;
    6 | 7 | 8 | 9 | 10 | 11) xdotool keyup "$key" ;;
    12 | 13) xdotool key "alt+$key" ;;
    14 | 15) xdotool windowfocus "$root" sleep 0.05 windowfocus "$main" ;;
    16 | 17) xdotool windowsize "$main" $((RANDOM % 900 + 1)) $((RANDOM % 700 + 1)) ;;
    18 | 19 | 20) xdotool key "$key" ;;
    21) "$drop_files" "$main" "$work/map" >/dev/null 2>&1 ;;
    22) cp "$work/other.w3e" "$work/map/war3map.w3e" ;; # a reload about a second later
    23) "$w3egen" --force --width 65 --height 97 --seed $((RANDOM % 9)) "$work/map/war3map.w3e" ;;
    esac
    actions=$((actions + 1))
    sleep 0.0$((RANDOM % 5))
done
for key in "${keys[@]}"; do xdotool keyup "$key"; done
xdotool windowfocus "$main" key Escape

eventually gone "$pid"
if kill -0 "$pid" 2>/dev/null; then
    echo "FAIL: the viewer did not end on Escape"
    kill "$pid"
    exit 1
fi
wait "$pid"
code=$?
echo "monkey: $actions actions over ${seconds}s, exit code $code"
if grep -Eq "ERROR: (Address|Leak)Sanitizer|runtime error:" "$work/err"; then
    echo "FAIL: sanitizer report"
    head -n 40 "$work/err"
    exit 1
fi
[ "$code" -eq 0 ] || { echo "FAIL: exit code $code"; cat "$work/err"; exit 1; }
echo "monkey: passed"
