#!/usr/bin/env bash
# A minute of random input for the viewer (a sanitizer build, ideally): viewer keys held and
# released, Alt combinations, focus taken away and given back, resizes; then Escape. It must
# end with exit code 0 and no sanitizer report.
# usage: monkey.sh PROGRAM W3EGEN [SECONDS]   (DISPLAY must be set)
set -u
program=$(realpath "$1") w3egen=$(realpath "$2") seconds=${3:-60}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$w3egen" --width 65 --height 97 --seed 5 "$work/war3map.w3e"
(cd "$work" && exec "$program" >"$work/out" 2>"$work/err") &
pid=$!

. "$(dirname "$0")/../x_windows.sh"
main=$(dismiss_help)
[ -n "$main" ] || { echo "FAIL: the viewer did not start"; cat "$work/err"; exit 1; }
root=$(xwininfo -root | awk '/Window id:/ {print $4}')

keys=(Up Down Left Right w p f i u k m l a 1 space shift ctrl)
RANDOM=42
end=$((SECONDS + seconds))
actions=0
while [ $SECONDS -lt $end ] && kill -0 "$pid" 2>/dev/null; do
    key=${keys[RANDOM % ${#keys[@]}]}
    case $((RANDOM % 10)) in
    0 | 1 | 2) xdotool keydown "$key" ;;
    3 | 4 | 5) xdotool keyup "$key" ;;
    6) xdotool key "alt+$key" ;;
    7) xdotool windowfocus "$root" sleep 0.05 windowfocus "$main" ;;
    8) xdotool windowsize "$main" $((RANDOM % 900 + 1)) $((RANDOM % 700 + 1)) ;;
    9) xdotool key "$key" ;;
    esac
    actions=$((actions + 1))
    sleep 0.0$((RANDOM % 5))
done
for key in "${keys[@]}"; do xdotool keyup "$key"; done
xdotool windowfocus "$main" key Escape

for _ in $(seq 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
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
