#!/usr/bin/env bash
# Two versions of a map compared: the summary's counts for known edits, for maps of other
# sizes and offsets and for a reordered tile list; the picture of the changes; and the same
# from git, as a diff driver that prints each version's summary and as a difftool.
# usage: compare_test.sh native|wine PROGRAM W3EGEN [PROGRAM64]
set -u
w3egen=$(realpath "$3")
. "$(dirname "$0")/viewer_run.sh" "$1" "$2" "${4:-}"

out() { # arguments...: the program in $work, its input from $stdin (none by default); sets
    # code, leaves out (the summary's lines) and err
    (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY timeout 120 "${run[@]}" "$@" \
        >"$work/out.raw" 2>"$work/err.raw" <"${stdin:-/dev/null}")
    code=$?
    tr -d '\r' <"$work/out.raw" | grep -E '^[a-z ]+: ' >"$work/out"
    tr -d '\r' <"$work/err.raw" | grep -v '^wine: ' >"$work/err"
}
summary() { paste -sd '|' "$work/out"; }
flat() { "$w3egen" --force --shape flat --level 100 "$@"; } # options... OUTPUT

# A flat map of 33 x 25 points, and a version of it with a block raised, one lowered, a row
# retiled, a block re-layered at its height, a column of ramps and a block of new water.
flat --width 33 --height 25 --x-offset 0 --z-offset 0 "$work/old.w3e"
flat --width 33 --height 25 --x-offset 0 --z-offset 0 --edit raise:2,2,5,5:64 \
    --edit raise:10,2,12,3:-32 --edit tile:20,2,21,2:2 --edit layer:2,10,3,11:3 \
    --edit flags:6,10,6,14:1 --edit flags:20,20,21,21:4 --edit water:9,20,9,20:10 \
    "$work/new.w3e"
out --summary --compare old.w3e new.w3e
[ "$code" = 0 ] || echo "known edits: exit $code, standard error: $(cat "$work/err")" >&2
check "known edits" "0|points compared: 825|changed points: 37|raised: 16|lowered: 6|largest rise: 64.00|largest drop: 32.00|ground tile changed: 2|cliff changed: 4|flags changed: 5|water changed: 4|only in old: 0|only in new: 0" \
    "$code|$(summary)"
# The changed regions as lists for other tools, read back by Python's csv and json: the same
# edits with one point of the raised block retiled too (two kinds: a quoted field).
flat --width 33 --height 25 --x-offset 0 --z-offset 0 --edit raise:2,2,5,5:64 \
    --edit raise:10,2,12,3:-32 --edit tile:20,2,21,2:2 --edit layer:2,10,3,11:3 \
    --edit flags:6,10,6,14:1 --edit flags:20,20,21,21:4 --edit tile:3,3,3,3:2 "$work/new2.w3e"
out --compare old.w3e new2.w3e --changes regions.csv
csv_code=$code
out --compare old.w3e new2.w3e --changes regions.json
check "the changed regions, largest first, in CSV and JSON" \
    "0 0|16 2,2-5,5 x256 z256 raised 16 by up to 64.00, ground tile 1;6 10,2-12,3 x1280 z256 lowered 6 by up to 32.00;5 6,10-6,14 x768 z1280 flags 5;4 2,10-3,11 x256 z1280 cliff 4;4 20,20-21,21 x2560 z2560 water 4;2 20,2-21,2 x2560 z256 ground tile 2|crlf|json: 37 changed, 6 regions, the same numbers" \
    "$csv_code $code|$(python3 "$(dirname "$0")/changes_lists.py" "$work/regions.csv" "$work/regions.json")"
# The changes drawn, a pixel a point, north up (pixel row 24 - row): each edit in its own
# colour, grey elsewhere.
out --compare old.w3e new.w3e --output changes.png
check "the changes' picture" "0|33x25" "$code|$(identify -format '%wx%h' "$work/changes.png" 2>&1)"
pixel() { # column row: the picture's red, green and blue there
    convert "$work/changes.png" -format \
        "%[fx:int(255*p{$1,$((24 - $2))}.r+.5)] %[fx:int(255*p{$1,$((24 - $2))}.g+.5)] %[fx:int(255*p{$1,$((24 - $2))}.b+.5)]" info:
}
for place in "raised|3 3|r > g + 60 && r > b + 60" "lowered|11 3|b > r + 30 && b > g + 30" \
    "retiled|20 2|r > g + 60 && b > g + 60" "re-layered|2 11|r > b + 60 && g > b + 60" \
    "ramps|6 12|g > r + 60 && g > b + 60" "water|20 20|g > r + 60 && b > r + 60"; do
    IFS='|' read -r what at test <<<"$place"
    # shellcheck disable=SC2086
    rgb=$(pixel $at)
    echo "$rgb" | awk "{ r = \$1; g = \$2; b = \$3; exit !($test) }" && pass ||
        fail "the $what block at $at is $rgb, not $test"
done
check "unchanged ground, away from the edits: colours, and one of them" "1|123 123 123" \
    "$(convert "$work/changes.png" -crop 5x5+14+6 +repage -format '%k' info:)|$(pixel 16 16)"
out --compare old.w3e new.w3e --output legend.png --legend
check "the changes' legend beside the picture" "0|1" \
    "$code|$(identify -format '%w' "$work/legend.png" | awk '{print ($1 > 200)}')"

# The other way round: the rises are drops.
out --summary --compare new.w3e old.w3e
check "known edits undone" "raised: 6|lowered: 16|largest rise: 32.00|largest drop: 64.00" \
    "$(grep -E '^(raised|lowered|largest)' "$work/out" | paste -sd '|')"

# Matched by the map's coordinates: 41 x 25 points, 4 columns further west and 2 rows further
# north, overlap the old map's columns 0 to 32 and rows 2 to 24 (33 x 23 points).
flat --width 41 --height 25 --x-offset -512 --z-offset 256 "$work/moved.w3e"
out --summary --compare old.w3e moved.w3e
check "other size and offsets" "points compared: 759|changed points: 0|only in old: 66|only in new: 266" \
    "$(grep -E '^(points compared|changed points|only)' "$work/out" | paste -sd '|')"
# Offsets half a tile apart: no point lies where another does.
flat --width 33 --height 25 --x-offset 64 --z-offset 0 "$work/half.w3e"
out --summary --compare old.w3e half.w3e
check "offsets half a tile apart" "points compared: 0|only in old: 825|only in new: 825" \
    "$(grep -E '^(points compared|only)' "$work/out" | paste -sd '|')"
# An offset that is not a number matches no point: said, and a failure.
cp "$work/old.w3e" "$work/nan.w3e"
printf '\000\000\300\177' | dd of="$work/nan.w3e" bs=1 seek=53 conv=notrunc 2>/dev/null # X offset
out --summary --compare old.w3e nan.w3e
check "an offset that is not a number" \
    "1|zuvaro: no point can match: the newer map's X offset is nan, not a finite number" \
    "$code|$(head -n 1 "$work/err")"
# Tiles are their tile sets: the list reordered (w3egen's first two, Vmos and Vash, swapped)
# and the numbers with it is no change.
flat --width 33 --height 25 --x-offset 0 --z-offset 0 --ground-ids Vash,Vmos,Vpeb,Vsil \
    --edit tile:0,0,32,24:1 "$work/reordered.w3e"
out --summary --compare old.w3e reordered.w3e
check "a reordered tile list" "0|ground tile changed: 0" \
    "$code|$(grep '^ground tile changed' "$work/out")"

# Symmetry: a flat square map equals each transform of itself; with one point raised, that
# point differs from its partner and the partner from it, and nothing else (on the diagonal
# the two touch: one region).
flat --width 33 --height 33 --x-offset 0 --z-offset 0 "$work/even.w3e"
flat --width 33 --height 33 --x-offset 0 --z-offset 0 --edit raise:3,4,3,4:64 "$work/odd.w3e"
for case in "turn|1 29,28-29,28 1 3,4-3,4" "mirror-x|1 29,4-29,4 1 3,4-3,4" \
    "mirror-z|1 3,28-3,28 1 3,4-3,4" "diagonal|2 3,3-4,4" "antidiagonal|1 28,29-28,29 1 3,4-3,4"; do
    kind=${case%%|*}
    out --summary --symmetry "$kind" even.w3e
    even="$code $(grep -E '^(symmetry|changed points)' "$work/out" | paste -sd ' ')"
    out --symmetry "$kind" odd.w3e --changes symmetry.csv
    check "--symmetry $kind" "0 symmetry: $kind changed points: 0|0|${case#*|}" \
        "$even|$code|$(awk -F, 'NR > 1 { print $2 " " $3 "," $4 "-" $5 "," $6 }' "$work/symmetry.csv" |
            sort | paste -sd ' ')"
done
# Folders as maps, and what is refused.
mkdir -p "$work/v1" "$work/v2"
cp "$work/old.w3e" "$work/v1/war3map.w3e" && cp "$work/new.w3e" "$work/v2/war3map.w3e"
out --summary --compare v1 v2
check "folders" "0|changed points: 37" "$code|$(grep '^changed points' "$work/out")"
# Maps read once may come from standard input (a file or a pipe) and from pipes.
stdin="$work/old.w3e" out --summary --compare - new.w3e
check "the older map from standard input" "0|changed points: 37" "$code|$(grep '^changed points' "$work/out")"
stdin=<(cat "$work/new.w3e") out --summary --compare old.w3e -
check "the newer map piped to standard input" "0|changed points: 37" \
    "$code|$(grep '^changed points' "$work/out")"
if [ "$mode" = native ]; then
    out --summary --compare <(cat "$work/old.w3e") new.w3e
    check "the older map from a pipe" "0|changed points: 37" "$code|$(grep '^changed points' "$work/out")"
    stdin=<(head -c 300M /dev/zero) out --summary -
    check "an endless stream is refused at a bound" \
        "1|zuvaro: cannot open standard input: it holds more than 256 MB, more than any map's file" \
        "$code|$(cat "$work/err")"
fi
for bad in "--summary --compare old.w3e|2|zuvaro: --compare takes two maps: zuvaro --compare OLD NEW" \
    "--mesh m.glb --compare old.w3e new.w3e|2|zuvaro: --mesh is for one map, not --compare" \
    "--output old.w3e --compare old.w3e new.w3e|2|zuvaro: --output writes PNG pictures (.png), not old.w3e" \
    "--changes c.txt --compare old.w3e new.w3e|2|zuvaro: --changes writes .csv or .json lists, not c.txt" \
    "--changes c.csv new.w3e|2|zuvaro: --changes lists what changed: zuvaro --compare OLD NEW --changes FILE" \
    "--summary --compare gone.w3e new.w3e|1|zuvaro: cannot open gone.w3e" \
    "--summary --compare - -|2|zuvaro: standard input (-) can be one of the maps, not both" \
    "--compare - new.w3e|1|zuvaro: cannot open -: No such file or directory" \
    "--summary --symmetry diagonal old.w3e|1|zuvaro: --symmetry diagonal needs a square map; this one is 33 x 25 tile points" \
    "--symmetry half old.w3e|2|zuvaro: --symmetry takes turn, mirror-x, mirror-z, diagonal or antidiagonal, not half"; do
    # shellcheck disable=SC2086
    out ${bad%%|*}
    expected=${bad#*|}
    check "${bad%%|*}" "$expected" "$code|$(head -n 1 "$work/err" | cut -c1-$((${#expected} - 2)))"
done

if [ "$mode" = native ]; then
    # git: the summary as the diff driver's text, the comparison as a difftool.
    repo="$work/repo"
    git init -q "$repo" && cd "$repo" || exit 1
    git config user.email tests@example.invalid && git config user.name tests
    echo '*.w3e diff=w3e' >.gitattributes
    git config diff.w3e.textconv "${run[*]} --textconv"
    cp "$work/old.w3e" war3map.w3e && git add . && git commit -qm "first"
    cp "$work/new.w3e" war3map.w3e && git commit -qam "second"
    git diff HEAD~1 HEAD >"$work/diff"
    grep -qx -- '-ground highest: 100.00' "$work/diff" && grep -qx -- '+ground highest: 164.00' "$work/diff" &&
        pass || fail "git diff with the summary as text: $(cat "$work/diff")"
    # One point raised by 10 units: its block's line changes, no other, and git's temporary
    # copies are named nowhere.
    flat --width 33 --height 25 --x-offset 0 --z-offset 0 --edit raise:2,2,5,5:64 \
        --edit raise:10,2,12,3:-32 --edit tile:20,2,21,2:2 --edit layer:2,10,3,11:3 \
        --edit flags:6,10,6,14:1 --edit flags:20,20,21,21:4 --edit water:9,20,9,20:10 \
        --edit raise:17,9,17,9:10 war3map.w3e >/dev/null
    git commit -qam "one point"
    git diff HEAD~1 HEAD >"$work/diff"
    check "git diff of one raised point names its block" \
        "1 1|block columns 16-31, rows 0-15 (x 2048.00, z 0.00)|0" \
        "$(grep -c '^-block' "$work/diff") $(grep -c '^+block' "$work/diff")|$(grep '^+block' "$work/diff" | cut -c2- | cut -d: -f1)|$(grep -c -e 'Done loading' -e "${TMPDIR:-/tmp}" -e 'git-blob' "$work/diff")"
    git config difftool.counts.cmd "${run[*]} --summary --compare \"\$LOCAL\" \"\$REMOTE\""
    git difftool --no-prompt --tool counts HEAD~2 HEAD~1 >"$work/difftool" 2>&1
    grep -qx 'changed points: 37' "$work/difftool" && grep -qx 'raised: 16' "$work/difftool" &&
        pass || fail "git difftool: $(cat "$work/difftool")"
    cd "$work" || exit 1
fi

finish_checks compare
