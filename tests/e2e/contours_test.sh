#!/usr/bin/env bash
# Contour lines over a picture, at the heights they stand for: a ramp rising 16 units a column
# from 0 to 1024 gets a line every 50 units (21 lines over its range), each on the first
# column at or above its height, every fifth darker; the legend gains a row for them; and in
# the window C draws them over the ground and takes them away.
# usage: contours_test.sh native|wine PROGRAM W3EGEN [PROGRAM64]   (DISPLAY must be set)
set -u
w3egen=$(realpath "$3")
. "$(dirname "$0")/viewer_run.sh" "$1" "$2" "${4:-}"

picture() { # name options...: the picture of the ramp, written in $work
    local name=$1
    shift
    (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY timeout 120 "${run[@]}" --output "$name" "$@" \
        ramp.w3e >/dev/null 2>&1 </dev/null)
}
"$w3egen" --shape ramp-columns --step 16 --level 0 --width 65 --height 9 "$work/ramp.w3e"
picture plain.png
picture lines.png --contours
# Across the middle row, the columns a line darkens, and those it darkens by more than half.
convert "$work/plain.png" "$work/lines.png" -crop 65x1+0+4 +repage -depth 8 gray:"$work/row"
darkened=$(od -An -v -tu1 -w65 "$work/row" | awk 'NR == 1 { split($0, plain) }
    NR == 2 { for (c = 1; c <= NF; ++c) if ($c < plain[c]) {
        lines = lines " " c - 1; if ($c < plain[c] / 2) strong = strong " " c - 1 } }
    END { print substr(lines, 2) "|" substr(strong, 2) }')
expected="" strong=""
for k in $(seq 1 20); do # the line at 50k lies on column ceil(50k / 16)
    c=$(((50 * k + 15) / 16))
    expected="$expected $c"
    [ $((k % 5)) -eq 0 ] && strong="$strong $c"
done
check "columns under lines | under strong lines" "${expected# }|${strong# }" "$darkened"
# The legend gains its row of contours, a line of text below the others.
picture legend.png --legend --view height
picture legend_lines.png --contours --legend --view height
check "the legend's row of contours: rows of the legend grow" "1" \
    "$(for f in legend legend_lines; do convert "$work/$f.png" -crop +65+0 +repage -trim -format '%h ' info:; done |
        awk '{print ($2 > $1 + 8)}')"

# In the window: C draws the lines over the ground (dark grey where the plain view has none)
# and takes them away again.
shot() { screenshot "$main" "$work/$1.png"; }
dark() { # name: pixels darker than the plain view's shading, and not the background
    convert "$work/$1.png" -crop 800x560+0+0 -colorspace gray -depth 8 gray:- 2>/dev/null |
        od -An -v -tu1 -w1 | awk '$1 > 20 && $1 < 140 { n++ } END { print n + 0 }'
}
"$w3egen" --shape ramp-rows --step 24 --level 0 --width 65 --height 97 "$work/rows.w3e"
new_session
(cd "$work" && exec "${run[@]}" rows.w3e >"$work/out" 2>"$work/err") &
pid=$!
main=$(dismiss_help)
[ -n "$main" ] || { fail "the viewer did not start: $(cat "$work/err")"; finish_checks contours; }
settled "$main" "$work/plain.png"
plain=$(dark plain)
press "$main" c
lined() { shot lines && [ "$(dark lines)" -gt $((plain + 800)) ]; }
eventually lined && pass || fail "C drew no lines: $(dark lines) dark pixels against $plain"
press "$main" c
unlined() { shot back && [ "$(pixels_apart "$work/plain.png" "$work/back.png")" -lt 50 ]; }
eventually unlined && pass ||
    fail "C again left $(pixels_apart "$work/plain.png" "$work/back.png") pixels changed"
press "$main" Escape
eventually gone "$pid" && pass || fail "Escape did not end the viewer"
pid=""

finish_checks contours
