#!/usr/bin/env bash
# Meshes and raw heights out of both programs, checked by the tools that take them: the
# Khronos glTF validator, assimp's importer and admesh; the raw heights against the PNG's; and
# file names that say what they hold, refused otherwise before the map is read.
# usage: meshes_test.sh native|wine PROGRAM W3EGEN NODE_MODULES [PROGRAM64]
set -u
w3egen=$(realpath "$3")
export NODE_PATH
NODE_PATH=$(realpath "$4")
report=$(realpath "$(dirname "$0")/../gltf/gltf_report.js")
. "$(dirname "$0")/viewer_run.sh" "$1" "$2" "${5:-}"

out() { # arguments...: the program in $work without a display; sets code, leaves out and err
    (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY timeout 120 "${run[@]}" "$@" \
        >"$work/out.raw" 2>"$work/err.raw" </dev/null)
    code=$?
    tr -d '\r' <"$work/out.raw" >"$work/out"
    tr -d '\r' <"$work/err.raw" | grep -v '^wine: ' >"$work/err"
}
has() { grep -qxF "$1" "$2"; } # line, file
lines() { grep -c "$1" "$2"; } # pattern, file: how many lines match
solid() { # what, file, facets: admesh finds one closed part, facing out, of that many facets
    admesh "$2" >"$work/admesh" 2>&1
    local facets parts open degenerate reversed backwards volume
    facets=$(awk '/Number of facets/ {print $5; exit}' "$work/admesh")
    parts=$(awk '/Number of parts/ {print $5}' "$work/admesh")
    open=$(awk '/Total disconnected facets/ {print $5}' "$work/admesh")
    degenerate=$(awk '/Degenerate facets/ {print $4}' "$work/admesh")
    reversed=$(awk '/Facets reversed/ {print $4}' "$work/admesh")
    backwards=$(awk '/Backwards edges/ {print $4}' "$work/admesh")
    volume=$(awk '/Volume/ {print $NF}' "$work/admesh")
    check "$1: facets, parts, open, degenerate, reversed, backwards" "$3 1 0 0 0 0" \
        "$facets $parts $open $degenerate $reversed $backwards"
    awk -v v="$volume" 'BEGIN { exit !(v > 0) }' && pass || fail "$1: volume $volume"
}

# 65 x 49 tile points, at offsets of its own: x from -4000 to 4192, z from 2000 to 8144.
mkdir -p "$work/map"
"$w3egen" --shape demo --width 65 --height 49 --seed 3 --x-offset -4000 --z-offset 2000 \
    "$work/map/war3map.w3e"

# --- glTF: valid, the counts of the grid, placed in the map's coordinates, the water apart.
out --mesh a.glb --view tiles map
check "the .glb written" "0|mesh: a.glb" "$code|$(tail -n 1 "$work/out")"
node "$report" "$work/a.glb" >"$work/gltf" 2>&1
check "the validator: errors, warnings" "errors 0 warnings 0" \
    "$(grep -E '^(errors|warnings) ' "$work/gltf" | paste -sd ' ')"
for line in "node map/war3map.w3e" "node water" "ground POSITION 3185" "ground COLOR_0 3185" \
    "ground indices 18432" "ground facing down 0" "water facing down 0"; do
    has "$line" "$work/gltf" && pass || fail ".glb: no '$line' in: $(cat "$work/gltf")"
done
# A colour a ground tile: as many points of each as the summary's shares of the map's points.
out --summary map
shares=$(awk -F': ' '/^ground tile [0-9]/ && $2 + 0 > 0 {printf "%d\n", $2 * 3185 / 100 + 0.5}' \
    "$work/out" | sort -n | paste -sd ' ')
check ".glb: points a colour" "$shares" \
    "$(awk '/^ground colour/ {print $7}' "$work/gltf" | sort -n | paste -sd ' ')"
awk '/^ground colour/ {print $3, $4, $5, $7}' "$work/gltf" | sort >"$work/glb_colours"
# x east from the X offset, z south (the Z offset and 128 a row northwards, negated), y the
# ground's heights as the summary gives them.
heights="$(sed -n 's/^ground lowest: //p' "$work/out") $(sed -n 's/^ground highest: //p' "$work/out")"
bounds() { # low high: the ground mesh's bounds, x and z exact, y within the summary's rounding
    awk -v low="$1" -v high="$2" -v x0="$3" -v z0="$4" -v x1="$5" -v z1="$6" '/^ground from/ {
        ok = $3 == x0 && $5 == z0 && $7 == x1 && $9 == z1
        if (low != "") ok = ok && ($4 - low) ^ 2 < 1e-4 && ($8 - high) ^ 2 < 1e-4
        exit !ok }' "$work/gltf"
}
# shellcheck disable=SC2086
bounds $heights -4000 -8144 4192 -2000 && pass ||
    fail ".glb's place: $(grep '^ground from' "$work/gltf") for heights $heights"
# Every 5th point, the last row and column kept (14 x 11), at half the size; no water in plain.
out --mesh b.glb --step 5 --scale 0.5 map
node "$report" "$work/b.glb" >"$work/gltf" 2>&1
check "--step 5 --scale 0.5: errors, warnings, infos (no unused material), points, indices, nodes" \
    "errors 0|warnings 0|infos 0|ground POSITION 154|ground indices 780|1" \
    "$(grep -E '^(errors|warnings|infos|ground POSITION|ground indices) ' "$work/gltf" | paste -sd '|')|$(lines '^node ' "$work/gltf")"
bounds "" "" -2000 -4072 2096 -1000 && pass || fail "--scale 0.5: $(grep '^ground from' "$work/gltf")"
# The water of a stepped grid covers the cells its tile quads lie in, at its own level.
out --mesh c.glb --step 5 --view tiles map
node "$report" "$work/c.glb" >"$work/gltf" 2>&1
check "--step 5 --view tiles: errors, warnings, the water's level, facing down" \
    "errors 0|warnings 0|30.4 30.4|0" \
    "$(grep -E '^(errors|warnings) ' "$work/gltf" | paste -sd '|')|$(awk '/^water from/ {printf "%.1f %.1f", $4, $8}' "$work/gltf")|$(awk '/^water facing down/ {print $4}' "$work/gltf")"

# --- OBJ: its materials beside it, a coloured vertex a point, both objects through assimp.
out --mesh a.obj --view tiles map
check "the .obj written" "0|mesh: a.obj" "$code|$(tail -n 1 "$work/out")"
grep -q '^mtllib a.mtl$' "$work/a.obj" && grep -q '^newmtl water$' "$work/a.mtl" && pass ||
    fail "no materials beside the .obj"
node "$report" "$work/a.glb" >"$work/gltf"
water_points=$(awk '/^water POSITION/ {print $3}' "$work/gltf")
water_faces=$(awk '/^water indices/ {print $3 / 3}' "$work/gltf")
check "OBJ points, all coloured, and faces" "$((3185 + water_points)) $((3185 + water_points)) $((6144 + water_faces))" \
    "$(lines '^v ' "$work/a.obj") $(awk '$1 == "v" && NF == 7' "$work/a.obj" | wc -l) $(lines '^f ' "$work/a.obj")"
# The same colours as the .glb's, there in linear light as bytes, here as sRGB.
awk '$1 == "v" && ++n <= 3185 {
    for (k = 5; k <= 7; ++k) {
        c = $k <= 0.04045 ? $k / 12.92 : (($k + 0.055) / 1.055) ^ 2.4
        printf "%d%s", int(c * 255 + 0.5), k < 7 ? " " : "\n"
    } }' "$work/a.obj" | sort | uniq -c | awk '{print $2, $3, $4, $1}' | sort >"$work/obj_colours"
cmp -s "$work/obj_colours" "$work/glb_colours" && pass ||
    fail "the .obj's colours are not the .glb's: $(paste -d '|' "$work/obj_colours" "$work/glb_colours")"
assimp info "$work/a.obj" >"$work/assimp" 2>&1
check "assimp: exit code, meshes, faces" "0|2|$((6144 + water_faces))" \
    "$?|$(awk '/^Meshes:/ {print $2; exit}' "$work/assimp")|$(awk '/^Faces:/ {print $2}' "$work/assimp")"
grep -Eiq 'warn|error' "$work/assimp" && fail "assimp complains: $(grep -Ei 'warn|error' "$work/assimp")" || pass

# --- STL: a closed solid, with and without --step, --scale and --base.
out --mesh a.stl map
check "the .stl written" "0|mesh: a.stl" "$code|$(tail -n 1 "$work/out")"
# The surface's 6144 triangles, and 3 a segment of the 224 round the edge (two of wall, one of base).
solid "the .stl" "$work/a.stl" $((6144 + 3 * 224))
out --mesh b.stl --step 7 --scale 0.001 --base 50 map
# Columns 0, 7, ..., 63, 64 (11) and rows 0, 7, ..., 42, 48 (8): 70 quads, 34 edge segments.
solid "--step 7 --scale 0.001 --base 50" "$work/b.stl" $((140 + 3 * 34))
floor=$(awk '/Min Z/ {sub(",", "", $4); print $4}' "$work/admesh")
awk -v z="$floor" -v low="${heights%% *}" 'BEGIN { exit !((z - (low - 50) * 0.001) ^ 2 < 1e-9) }' &&
    pass || fail "--base 50 under the lowest ground (${heights%% *}) at a thousandth: at $floor"

# --- Raw heights: the PNG's values, little-endian, north row first; the PNG says its range.
out --heightmap h.png map
range=$(sed -n 's/^heightmap: h.png: //p' "$work/out")
out --heightmap h.raw map
check "the raw heights written, with their range" "0|heightmap: h.raw: $range" \
    "$code|$(tail -n 1 "$work/out")"
check "the raw heights' size" $((65 * 49 * 2)) "$(stat -c %s "$work/h.raw")"
convert "$work/h.png" -depth 16 -endian LSB gray:"$work/h.le" &&
    cmp -s "$work/h.le" "$work/h.raw" && pass || fail "the raw heights are not the PNG's"
identify -verbose "$work/h.png" | grep -qF "Description: $range" && pass ||
    fail "the PNG does not say its range ($range)"

# --- Names that say what they hold, refused before the map is read; outputs that cannot be.
for bad in "--output x.jpg|--output writes PNG pictures (.png), not x.jpg" \
    "--output picture|--output writes PNG pictures (.png), not picture" \
    "--heightmap heights|--heightmap writes .png or .raw heightmaps, not heights" \
    "--heightmap x.tif|--heightmap writes .png or .raw heightmaps, not x.tif" \
    "--mesh x.fbx|--mesh writes .glb, .obj or .stl meshes, not x.fbx" \
    "--mesh x.glb --step 0|--step takes a whole number from 1 to 16384, not 0" \
    "--mesh x.stl --scale -2|--scale takes a number above 0, not -2" \
    "--mesh x.glb --base 10|--base is for the solid of an .stl mesh" \
    "--output x.png --step 2|--step is for the mesh of --mesh"; do
    # shellcheck disable=SC2086
    out ${bad%%|*} nowhere
    check "${bad%%|*}" "2|zuvaro: ${bad#*|}" "$code|$(head -n 1 "$work/err")"
done
[ -z "$(ls "$work" | grep '^x\.')" ] && pass || fail "a refused name was written: $(ls "$work")"
out --mesh missing/a.glb map
check "a mesh into a missing folder" "1" "$code"
grep -q "cannot write missing/a.glb" "$work/err" && pass || fail "no reason: $(cat "$work/err")"
if [ "$mode" = native ]; then # a file-size limit stops the write part-way: nothing is left
    (ulimit -f 64 && out --mesh big.glb map; echo "$code" >"$work/limited")
    check "a mesh past a file-size limit" "1" "$(cat "$work/limited" 2>/dev/null)"
    grep -q "cannot write big.glb: File too large" "$work/err" && pass || fail "no reason: $(cat "$work/err")"
    [ -z "$(ls "$work" | grep '^big')" ] && pass || fail "a part of the mesh was left: $(ls "$work")"
fi
# Numbers that would break the mesh: refused with the range that works for this map.
for bad in "--mesh n.glb --scale 1e39|--scale 1e+39 would make coordinates infinite" \
    "--mesh n.obj --scale 1e-300|--scale 1e-300 would put neighbouring points on one another" \
    "--mesh n.stl --base 1e39|--base 1e+39 would make coordinates infinite"; do
    # shellcheck disable=SC2086
    out ${bad%%|*} map
    check "${bad%%|*}" "2|zuvaro: ${bad#*|}: this map takes" "$code|$(head -n 1 "$work/err" | sed 's/ takes .*/ takes/')"
done
[ -z "$(ls "$work" | grep '^n\.')" ] && pass || fail "a refused mesh was written: $(ls "$work")"
# An .obj that cannot be written leaves no .mtl either.
mkdir "$work/set.obj"
out --mesh set.obj map
check "an .obj over a folder, and its .mtl" "1|" "$code|$(ls "$work" | grep '^set\.mtl')"
cp "$work/map/war3map.w3e" "$work/m.stl"
out --mesh m.stl m.stl
check "a mesh over its own map" "1|zuvaro: will not write m.stl over the map it shows" \
    "$code|$(head -n 1 "$work/err")"
cmp -s "$work/map/war3map.w3e" "$work/m.stl" && pass || fail "the map was written over"
"$w3egen" --shape flat --width 1 --height 5 "$work/line.w3e"
out --mesh line.glb line.w3e
check "a map of one column" "1" "$code"
grep -q "no surface to make a mesh of" "$work/err" && pass || fail "no reason: $(cat "$work/err")"

finish_checks meshes
