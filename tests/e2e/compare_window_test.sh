#!/usr/bin/env bash
# Two versions of a map in the window: it starts in the changes view with the newer map, the
# raised block warm, the lowered one cool, the retiled row magenta; B shows the older version
# in the same colours and back; V comes round to the changes again; the older file rewritten
# is compared again, and a broken one keeps the last good comparison after a box.
# usage: compare_window_test.sh native|wine PROGRAM W3EGEN [PROGRAM64]   (DISPLAY must be set)
set -u
w3egen=$(realpath "$3")
. "$(dirname "$0")/viewer_run.sh" "$1" "$2" "${4:-}"

shot() { screenshot "$main" "$work/$1.png"; }
colours() { # name: how many pixels are warm, cool and magenta, below the legend's swatches
    convert "$work/$1.png" -crop 800x420+0+150 -depth 8 rgb:- 2>/dev/null | od -An -v -tu1 -w3 |
        awk '$1 > $2 + 80 && $1 > $3 + 80 { w++ } $3 > $1 + 40 && $3 > $2 + 40 { c++ }
             $1 > $2 + 60 && $3 > $2 + 60 { m++ } END { print w + 0, c + 0, m + 0 }'
}
coloured() { # name: whether the picture shows all three
    read -r warm cool magenta <<<"$(colours "$1")"
    [ "$warm" -gt 2000 ] && [ "$cool" -gt 2000 ] && [ "$magenta" -gt 200 ]
}
grey() { # name: whether it shows none of them
    [ "$(colours "$1")" = "0 0 0" ]
}
after_title() { title_is "$main" "*\] - $1 - after"; }
before_title() { title_is "$main" "*\] - $1 - before"; }

flat() { "$w3egen" --force --shape flat --width 65 --height 49 --level 100 "$@"; }
flat "$work/old.w3e"
flat --edit raise:5,5,20,20:64 --edit raise:40,28,56,44:-64 --edit tile:28,4,36,10:2 \
    "$work/new.w3e"

(cd "$work" && exec "${run[@]}" --compare old.w3e new.w3e >"$work/out" 2>"$work/err") &
pid=$!
main=$(dismiss_help)
[ -n "$main" ] || { fail "the viewer did not start: $(cat "$work/err")"; exit 1; }
eventually after_title changes && pass || fail "no changes view: $(xdotool getwindowname "$main")"
# The changes spread over most of the map: it opens on the whole map from above.
seen() { settled "$main" "$work/$1.png" && "$2" "$1"; } # name check: a settled picture passes
eventually seen over coloured && pass || fail "the changes are not drawn: $(colours over)"

press "$main" b
eventually before_title changes && pass || fail "B: $(xdotool getwindowname "$main")"
eventually seen before coloured && pass || fail "the map before in the changes' colours: $(colours before)"
tr -d '\r' <"$work/out" | grep -qx "before: old.w3e" && pass || fail "B said nothing"
press "$main" b
eventually after_title changes && pass || fail "B again: $(xdotool getwindowname "$main")"

# V: plain, the three coloured views, and the changes again.
for view in "" "ground tiles - " "height - " "cliffs and flags - " "changes - "; do
    press "$main" v
    eventually title_is "$main" "*\] - ${view}after" && pass ||
        fail "V to '${view}after': $(xdotool getwindowname "$main")"
done

# The older file rewritten as the newer: nothing changed any more.
cp "$work/new.w3e" "$work/old.w3e.part" && mv "$work/old.w3e.part" "$work/old.w3e"
eventually seen same grey && pass || fail "the older file's change not followed: $(colours same)"
# Broken: one box, and the comparison as it was.
"$w3egen" --force --shape flat --width 65 --height 49 --cut 300 "$work/old.w3e.part"
mv "$work/old.w3e.part" "$work/old.w3e"
box=$(wait_for_window Zuvaro)
[ -n "$box" ] && [ "$box" != "$main" ] && pass || fail "no box for the broken file"
[ -n "$box" ] && press "$box" Return
eventually seen kept grey && pass || fail "the last good comparison was not kept: $(colours kept)"

press "$main" Escape
eventually gone "$pid" && pass || fail "Escape did not end the viewer"
pid=""
finish_checks "compare in the window"
