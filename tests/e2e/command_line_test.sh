#!/usr/bin/env bash
# The viewer as it is started, for the Linux program and the Windows program under Wine: the
# report of the map a path names (a file of any name, a folder, a path with spaces), byte for
# byte; the options and exit codes; messages that say what to do; special files refused at
# once; control characters escaped only on a terminal; the message box of --error-box.
# Runs with no display (the viewer then stops after the report, unable to open its window),
# except for the message box.
# usage: command_line_test.sh native|wine PROGRAM W3EGEN [PROGRAM64]   (DISPLAY must be set)
set -u
w3egen=$(realpath "$3")
. "$(dirname "$0")/viewer_run.sh" "$1" "$2" "${4:-}"
separator=/
[ "$mode" = wine ] && separator='\'
writer=""
trap 'cleanup; [ -n "$writer" ] && kill "$writer" 2>/dev/null' EXIT

# run_in FOLDER [ARGUMENTS...]: the viewer there without a display, within a minute; leaves
# out and err (Windows' CR LF line ends made LF) and code (124 when it had to be stopped).
run_in() {
    local folder=$1
    shift
    (cd "$folder" && env -u DISPLAY -u WAYLAND_DISPLAY timeout 60 "${run[@]}" "$@" \
        >"$work/out.raw" 2>"$work/err.raw" </dev/null)
    code=$?
    tr -d '\r' <"$work/out.raw" >"$work/out"
    tr -d '\r' <"$work/err.raw" | grep -v '^wine: ' >"$work/err"
}

mkdir -p "$work/maps/one" "$work/maps/with space"
"$w3egen" --shape demo --width 5 --height 3 --tileset L --ground-ids Vmos,Vash \
    --cliff-ids Vcl1 --x-offset -6144 --z-offset 0.00001 "$work/maps/one/war3map.w3e"
cp "$work/maps/one/war3map.w3e" "$work/maps/with space/a map.w3e"
report() { # the name the last line gives
    cat <<REPORT
W3E! - W3E check passed.
Version - 11.  Version check passed
Tile set - L
Custom tile set - 0
Number of ground tile sets - 2
Ground tile set IDs - VmosVash
Number of cliff tile sets - 1
Cliff tile set IDs - Vcl1
Map width - 5
Map height - 3
X offset - -6144
Z offset - 1e-005
Done loading $1
REPORT
}

# --- The map a path names; the report's last line names the file as the user gave it.
run_in "$work/maps/one"
check "report of war3map.w3e in the working folder" "$(report war3map.w3e)" "$(cat "$work/out")"
check "exit code of a good load with no display" 1 "$code"
grep -Eq "^zuvaro: cannot (open a window|set the window's pixel format|create an OpenGL context)" \
    "$work/err" && pass || fail "no display, no reason: $(cat "$work/err")"
run_in "$work/maps" "with space/a map.w3e"
check "a file of another name, with spaces" "$(report "with space/a map.w3e")" "$(cat "$work/out")"
run_in "$work/maps" one
check "a folder" "$(report "one${separator}war3map.w3e")" "$(cat "$work/out")"
run_in "$work" maps/one/
check "a folder given with its separator" "$(report maps/one/war3map.w3e)" "$(cat "$work/out")"
run_in "$work/maps" -- one
check "a path after --" "$(report "one${separator}war3map.w3e")" "$(cat "$work/out")"

# --- Names in any script, and paths past the usual limit of 260 characters: the report names
# them as given, in UTF-8 into a pipe.
mkdir -p "$work/maps/Карта ü" "$work/maps/地图"
cp "$work/maps/one/war3map.w3e" "$work/maps/Карта ü/"
cp "$work/maps/one/war3map.w3e" "$work/maps/地图/野外.w3e"
run_in "$work/maps" "Карта ü"
check "a folder named in Cyrillic" "$(report "Карта ü${separator}war3map.w3e")" "$(cat "$work/out")"
run_in "$work/maps" "地图/野外.w3e"
check "a file in a folder named in Chinese" "$(report "地图/野外.w3e")" "$(cat "$work/out")"
deep=""
for i in $(seq 12); do deep="${deep}a_folder_with_a_long_name_$i/"; done
mkdir -p "$work/maps/$deep"
cp "$work/maps/one/war3map.w3e" "$work/maps/${deep}war3map.w3e"
run_in "$work/maps" "${deep}war3map.w3e"
check "a path of $((${#deep} + 11)) characters" "$(report "${deep}war3map.w3e")" "$(cat "$work/out")"

# --- Options and exit codes.
run_in "$work" --help
check "exit code of --help" 0 "$code"
check "--help on standard output" "usage: zuvaro [OPTIONS] [PATH]" "$(head -n 1 "$work/out")"
grep -q -- "--error-box" "$work/out" && pass || fail "--help does not explain --error-box"
run_in "$work" --version
check "--version" "0 zuvaro $(sed -n 's/^project(zuvaro VERSION \([0-9.]*\).*/\1/p' \
    "$(dirname "$0")/../../CMakeLists.txt")" "$code $(cat "$work/out")"
run_in "$work/maps/one" --colour red
check "exit code of an unknown option" 2 "$code"
check "an unknown option: one line, then the hint, on standard error" \
    "zuvaro: unknown option --colour|Try 'zuvaro --help'." "$(paste -sd '|' "$work/err")"
check "nothing on standard output after an unknown option" "" "$(cat "$work/out")"
run_in "$work/maps" one "with space"
check "two paths" "2|zuvaro: one map at a time, not also with space" \
    "$code|$(head -n 1 "$work/err")"

# --- Files out instead of a window, with no display: a picture, a heightmap, a summary; the
# picture's path last; failures leave no file and an existing one as it was.
run_in "$work/maps" --output pic.png --view tiles --size 100 --heightmap h.png --summary one
check "files out: exit code and the picture's path last" "0|pic.png" "$code|$(tail -n 1 "$work/out")"
grep -qx "tiles: 4 x 2" "$work/out" && grep -qx "ground tile 1 Vash: [0-9.]*%" "$work/out" && pass ||
    fail "no summary: $(cat "$work/out")"
grep -qE "^heightmap: h.png: 0 = -?[0-9.]+, 65535 = -?[0-9.]+ world units$" "$work/out" && pass ||
    fail "no heightmap line: $(cat "$work/out")"
check "the picture and the heightmap" "100x60 8 5x3 16" \
    "$(identify -format '%wx%h %z ' "$work/maps/pic.png" "$work/maps/h.png" 2>&1 | xargs)"
mkdir "$work/maps/a folder.png"
cp "$work/maps/h.png" "$work/maps/kept.png"
chmod a-w "$work/maps/kept.png"
# A map whose name ends in .png is still not written over.
cp "$work/maps/one/war3map.w3e" "$work/maps/terrain.png"
for bad in "missing/p.png|one|No such file" "a folder.png|one|is a folder" \
    "kept.png|one|read-only" "terrain.png|terrain.png|over the map"; do
    IFS='|' read -r name map reason <<<"$bad"
    run_in "$work/maps" --output "$name" "$map"
    check "an unwritable picture $name: exit code" 1 "$code"
    grep -q "^zuvaro: .*$reason" "$work/err" && pass || fail "$name: $(cat "$work/err")"
done
cmp -s "$work/maps/h.png" "$work/maps/kept.png" && pass || fail "a read-only picture was changed"
[ -z "$(find "$work/maps" -name '*.part')" ] && [ ! -e "$work/maps/missing" ] && pass ||
    fail "a failed picture left a file: $(find "$work/maps" -name '*.part')"
chmod u+w "$work/maps/kept.png"
run_in "$work" --output cut.png --size 0
check "--size 0" 2 "$code"
run_in "$work" --view sky --output sky.png
check "--view sky" "2|zuvaro: --view takes plain, tiles, height or cliffs, not sky" "$code|$(head -n 1 "$work/err")"
run_in "$work" --size 64
check "--size without --output" 2 "$code"
run_in "$work" --legend
check "--legend without --output" "2|zuvaro: --legend is for the picture of --output" \
    "$code|$(head -n 1 "$work/err")"
# With --legend the picture grows to the right by the legend's panel; the map stays as it was.
run_in "$work/maps" --output legend.png --view tiles --size 100 --legend one
check "--legend: exit code" 0 "$code"
size=$(identify -format '%w %h' "$work/maps/legend.png" 2>&1)
convert "$work/maps/legend.png" -crop 100x60+0+0 +repage "$work/maps/legend-map.png"
[ "${size%% *}" -gt 160 ] &&
    [ "$(compare -metric AE "$work/maps/pic.png" "$work/maps/legend-map.png" null: 2>&1)" = 0 ] &&
    pass || fail "--legend: a picture of $size, or the map under the legend changed"

# --- A palette: its colours in the picture and in the palette written out (which reads back
# the same), a bad line named and the rest applied; without --palette, the user's own.
printf '# ours\nVmos #ff0000  # red\nVash nocolour\n' >"$work/maps/ours.txt"
run_in "$work/maps" --palette ours.txt --palette-out back.txt --output red.png --view tiles one
check "a palette with a bad line" \
    "0|zuvaro: warning: ours.txt: line 3: 'nocolour' is not a colour: #rrggbb|Vmos #ff0000 Vash #e68fac" \
    "$code|$(cat "$work/err")|$(grep -v '^#' "$work/maps/back.txt" | paste -sd ' ')"
red=$(convert "$work/maps/red.png" -depth 8 txt:- | tr -cs '0-9\n' ' ' |
    awk 'NR > 1 && $3 > $4 + 80 && $3 > $5 + 80 { n++ } END { print n + 0 }')
[ "$red" -gt 0 ] && pass || fail "no red in the picture with the palette"
run_in "$work/maps" --palette back.txt --palette-out again.txt one
cmp -s "$work/maps/back.txt" "$work/maps/again.txt" && pass || fail "the palette written out reads back otherwise"
if [ "$mode" = native ]; then
    mkdir -p "$work/config/zuvaro" && cp "$work/maps/ours.txt" "$work/config/zuvaro/palette.txt"
    XDG_CONFIG_HOME="$work/config" run_in "$work/maps" --palette-out mine.txt one
    grep -qx "Vmos #ff0000" "$work/maps/mine.txt" && pass || fail "the user's palette: $(cat "$work/maps/mine.txt")"
fi

# --- Messages that say what to do.
mkdir "$work/empty"
run_in "$work/empty"
check "exit code without a map" 1 "$code"
check "report without a map" shat "$(cat "$work/out")"
check "reason without a map" "zuvaro: cannot open war3map.w3e: No such file or directory" \
    "$(head -n 1 "$work/err")"
grep -Eq "^zuvaro: looked in .*empty: start Zuvaro in a map's folder, or give the map's path \(zuvaro PATH\)$" \
    "$work/err" && pass || fail "no hint where the map was looked for: $(cat "$work/err")"
run_in "$work/empty" nothere.w3e
grep -Eq "^zuvaro: there is no nothere.w3e in .*empty$" "$work/err" && ! grep -q "looked in" "$work/err" &&
    pass || fail "a path given: the hint should say the file is not there: $(cat "$work/err")"

mkdir "$work/cut"
"$w3egen" --width 4 --height 4 --cut 70 "$work/cut/war3map.w3e"
run_in "$work/cut" --output cut.png
check "no picture of a cut map" "1|" "$code|$(ls "$work/cut" | grep png)"
run_in "$work/cut"
check "a cut map" "1|Z offset - -192|zuvaro: war3map.w3e: the file ends at byte offset 70, at tile point (column 1, row 0): a grid of 4 by 4 needs 16 tile points of 7 bytes from byte offset 61" \
    "$code|$(tail -n 1 "$work/out")|$(cat "$work/err")"

mkdir "$work/odd"
"$w3egen" --width 2 --height 2 --magic 'W3E?' --version 12 --trailing 100 "$work/odd/war3map.w3e"
run_in "$work/odd"
check "an odd map is read as today" "Tile set - V|Done loading war3map.w3e" \
    "$(head -n 1 "$work/out")|$(tail -n 1 "$work/out")"
check "an odd map's warning" \
    'zuvaro: warning: war3map.w3e: the magic is "W3E?" and the version 12, where an environment file has "W3E!" and 11; reading it anyway' \
    "$(head -n 1 "$work/err")"
"$w3egen" --width 2 --height 2 --magic 'PK' --cut 40 --force "$work/odd/war3map.w3e"
run_in "$work/odd"
grep -q "; it does not look like an environment file$" "$work/err" && pass ||
    fail "a failing odd map does not say it may be no environment file: $(cat "$work/err")"

# --- Only regular files, refused at once and in the same words on both builds.
mkdir -p "$work/special/folder/war3map.w3e" "$work/special/fifo" "$work/special/device"
mkfifo "$work/special/fifo/war3map.w3e"
ln -s /dev/zero "$work/special/device/war3map.w3e"
for kind in folder fifo device; do
    run_in "$work/special/$kind"
    reason="is not a regular file"
    [ "$kind" = folder ] && reason="is a folder"
    check "a $kind as the map" "1|shat|zuvaro: cannot open war3map.w3e: $reason" \
        "$code|$(cat "$work/out")|$(head -n 1 "$work/err")"
done
sleep 60 >"$work/special/fifo/war3map.w3e" & # a writer waiting for a reader
writer=$!
run_in "$work/special/fifo"
check "a FIFO with a writer" "1|zuvaro: cannot open war3map.w3e: is not a regular file" \
    "$code|$(head -n 1 "$work/err")"
run_in "$work/special" fifo/war3map.w3e
check "a FIFO by its path" "1|zuvaro: cannot open fifo/war3map.w3e: is not a regular file" \
    "$code|$(head -n 1 "$work/err")"
kill "$writer" 2>/dev/null
writer=""

# --- Control characters from the file: escaped on a terminal, as read into a pipe.
mkdir "$work/escape"
"$w3egen" --width 2 --height 2 --tileset $'\e' --ground-ids $'V\e]0,Vash' \
    "$work/escape/war3map.w3e"
run_in "$work/escape"
check "the report into a pipe is byte for byte" "Tile set - "$'\e' "$(sed -n 3p "$work/out")"
# Wine draws its console with cursor sequences of its own (and cursor moves for blanks):
# those go, with blanks and CRs, before the text is looked at.
on_terminal() { # folder, arguments...: the viewer on a pseudo-terminal; leaves its text in pty.text
    local folder=$1
    shift
    (cd "$folder" && env -u DISPLAY -u WAYLAND_DISPLAY SHELL=/bin/bash timeout 60 \
        script -qec "$(printf '%q ' "${run[@]}" "$@")" /dev/null >"$work/pty" 2>&1 </dev/null)
    sed -E 's/\x1b\[[0-9;?]*[a-zA-Z]//g; s/[ \r]//g' "$work/pty" >"$work/pty.text"
}
on_terminal "$work/escape"
grep -aq '^Tileset-\\x1b$' "$work/pty.text" && grep -aq '^GroundtilesetIDs-V\\x1b]0Vash$' \
    "$work/pty.text" && pass || fail "on a terminal the text is not escaped: $(head -n 6 "$work/pty.text")"
grep -aq $'\e' "$work/pty.text" && fail "an escape character reached the terminal" || pass
# A file's name in a message on a terminal: escaped too. A name in another script: readable.
on_terminal "$work/empty" $'bad\e]0;retitled\a.w3e'
grep -aqF 'zuvaro:cannotopenbad\x1b]0;retitled\x07.w3e:' "$work/pty.text" &&
    pass || fail "a missing file's name is not escaped on a terminal: $(head -n 2 "$work/pty.text")"
grep -aq $'\e' "$work/pty.text" && fail "an escape character in a file's name reached the terminal" ||
    pass
on_terminal "$work/maps" "Карта ü"
grep -aq "^DoneloadingКартаü.war3map.w3e$" "$work/pty.text" && pass ||
    fail "a name in Cyrillic is not readable on a terminal: $(grep -a Done "$work/pty.text")"

# --- --error-box: the failure in a message box too, where nobody reads standard error (given
# a path: without one, the file dialog asks for a map, see open_dialog_test.sh).
new_session
(cd "$work/empty" && timeout 60 "${run[@]}" --error-box nothere.w3e >"$work/out" 2>"$work/err") &
viewer=$!
box=$(wait_for_window "Zuvaro")
if [ -n "$box" ]; then
    pass
    press "$box" Return
else
    fail "no message box with --error-box"
fi
wait "$viewer"
check "exit code after the box" 1 $?
(cd "$work/empty" && timeout 60 "${run[@]}" >"$work/out" 2>"$work/err")
check "no box without --error-box, when standard error is there" "1|" "$?|$(window_named Zuvaro)"

if [ "$mode" = wine ]; then
    # Started as Explorer starts it (through start), the program has no standard handles at
    # all: the failure shows in a box without being asked to.
    (cd "$work/empty" && timeout 60 "${wine[@]}" start /wait /unix "$wine_exe" >"$work/start.out" 2>&1) &
    viewer=$!
    box=$(wait_for_window "Zuvaro")
    [ -n "$box" ] && pass || fail "no message box without a standard error handle: $(cat "$work/start.out")"
    [ -n "$box" ] && press "$box" Return
    wait "$viewer"
    check "exit code after the box, started without standard handles" 1 $?
fi

finish_checks "command line"
