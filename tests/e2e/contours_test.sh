#!/usr/bin/env bash
# Contour lines over a picture, at the heights they stand for: a ramp rising 16 units a column
# from 0 to 1024 gets a line every 50 units (21 lines over its range), each on the first
# column at or above its height, every fifth darker; the legend gains a row for them.
# usage: contours_test.sh native|wine PROGRAM W3EGEN [PROGRAM64]
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

finish_checks contours
