#!/usr/bin/env bash
# The packages as a user gets them. The .deb: clean under lintian, installed by dpkg into a
# scratch root with every file where it belongs, working programs, manual pages that render,
# a valid desktop entry, a MIME type that knows environment files by name and by magic, and
# the icon at every size. The .zips, for 32-bit and for 64-bit Windows: both Windows programs
# of that kind, stripped, each with its icon and version information (the project's version),
# the README and the licence.
# usage: packages_test.sh DEB ZIP32 ZIP64
set -u
deb=$1 zip32=$2 zip64=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 passes=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { passes=$((passes + 1)); }
version=$(sed -n 's/^project(zuvaro VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")

[ -f "$deb" ] && ok || fail "no .deb at $deb"
[ -f "$zip32" ] && ok || fail "no 32-bit .zip at $zip32"
[ -f "$zip64" ] && ok || fail "no 64-bit .zip at $zip64"

# --- The .deb.
tags=$(lintian --tag-display-limit 0 "$deb" 2>/dev/null | grep -E '^[EW]: ')
[ -z "$tags" ] && ok || fail "lintian: $tags"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] && ok || fail "the .deb's version is not $version"
dpkg-deb -f "$deb" Depends | grep -q 'libsdl2' && ok || fail "no dependencies read off the binaries"

root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-not-root --force-script-chrootless -i "$deb" \
    >"$work/dpkg.log" 2>&1 && ok || fail "dpkg cannot install it: $(tail -n 3 "$work/dpkg.log")"
for f in bin/zuvaro bin/w3egen share/man/man1/zuvaro.1.gz share/man/man1/w3egen.1.gz \
    share/doc/zuvaro/copyright share/doc/zuvaro/changelog.gz share/doc/zuvaro/README.md \
    share/applications/zuvaro.desktop share/mime/packages/zuvaro.xml \
    share/thumbnailers/zuvaro.thumbnailer \
    share/icons/hicolor/scalable/apps/zuvaro.svg; do
    [ -f "$root/usr/$f" ] && ok || fail "not installed: /usr/$f"
done
for size in 16 24 32 48 64 128 256; do
    png=$root/usr/share/icons/hicolor/${size}x$size/apps/zuvaro.png
    [ "$(identify -format '%wx%h' "$png" 2>/dev/null)" = "${size}x$size" ] && ok ||
        fail "no ${size}x$size icon"
done
grep -q "Expat" "$root/usr/share/doc/zuvaro/copyright" && ok || fail "no licence in the copyright file"
zcat "$root/usr/share/doc/zuvaro/changelog.gz" | head -n 1 | grep -q "^zuvaro ($version)" && ok ||
    fail "the changelog does not begin with version $version"

bin=$root/usr/bin
[ "$("$bin/zuvaro" --version)" = "zuvaro $version" ] && ok || fail "zuvaro --version"
"$bin/w3egen" --help | grep -q 'usage: w3egen' && ok || fail "w3egen from the .deb does not run"
mkdir "$work/map"
"$bin/w3egen" --width 9 --height 9 "$work/map/war3map.w3e" && ok || fail "w3egen cannot write a map"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin/zuvaro" "$work/map" 2>/dev/null)
[ "$(tail -n 1 <<<"$out")" = "Done loading $work/map/war3map.w3e" ] && ok ||
    fail "zuvaro from the .deb does not load: $out"

for page in zuvaro w3egen; do
    text=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>"$work/man.err")
    [ ! -s "$work/man.err" ] && grep -q "EXIT STATUS" <<<"$text" && ok ||
        fail "man $page: $(head -n 3 "$work/man.err")"
done
# Every option the programs know is in their page.
for option in --error-box --no-vsync --version --help --output --view --size --heightmap --summary; do
    zcat "$root/usr/share/man/man1/zuvaro.1.gz" | grep -q -- "${option//-/\\\\-}" && ok ||
        fail "zuvaro(1) does not explain $option"
done
for option in $("$bin/w3egen" --help | grep -oE '^  --[a-z-]+'); do
    zcat "$root/usr/share/man/man1/w3egen.1.gz" | grep -q -- "${option//-/\\\\-}" && ok ||
        fail "w3egen(1) does not explain $option"
done

desktop=$root/usr/share/applications/zuvaro.desktop
desktop-file-validate "$desktop" && ok || fail "desktop-file-validate: $(desktop-file-validate "$desktop")"
grep -qx 'Exec=zuvaro --error-box %f' "$desktop" && ok || fail "the desktop entry does not open %f with --error-box"
grep -qx 'MimeType=application/x-w3e-terrain;' "$desktop" && ok || fail "the desktop entry names no MIME type"
update-mime-database "$root/usr/share/mime" >"$work/mime.log" 2>&1 && ok ||
    fail "update-mime-database: $(cat "$work/mime.log")"
grep -q 'application/x-w3e-terrain:\*\.w3e' "$root/usr/share/mime/globs2" && ok || fail "no *.w3e glob"
grep -aq 'W3E!' "$root/usr/share/mime/magic" && ok || fail "no W3E! magic"

# The thumbnailer, run as a file manager runs it: its Exec line with %i, %o and %s put in,
# without a display. A good map gives a picture of the size asked for; a broken one exit 1
# and no file.
thumbnailer=$root/usr/share/thumbnailers/zuvaro.thumbnailer
grep -qx 'MimeType=application/x-w3e-terrain;' "$thumbnailer" && ok || fail "the thumbnailer names no MIME type"
thumbnail() { # input output size: runs the Exec line; leaves code
    local line
    line=$(sed -n 's/^Exec=//p' "$thumbnailer")
    line=${line//%i/$(printf '%q' "$1")}
    line=${line//%o/$(printf '%q' "$2")}
    line=${line//%s/$3}
    (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY PATH="$bin:$PATH" bash -c "$line" \
        >/dev/null 2>"$work/thumb.err")
    code=$?
}
"$bin/w3egen" --shape demo --width 481 --height 481 "$work/big.w3e"
thumbnail "$work/big.w3e" "$work/big.png" 256
[ "$code" -eq 0 ] && [ "$(identify -format '%wx%h %m' "$work/big.png" 2>/dev/null)" = "256x256 PNG" ] &&
    ok || fail "the thumbnailer: code $code, $(identify "$work/big.png" 2>&1) $(cat "$work/thumb.err")"
"$bin/w3egen" --shape demo --width 481 --height 481 --cut 5000 "$work/broken.w3e"
thumbnail "$work/broken.w3e" "$work/broken.png" 128
[ "$code" -eq 1 ] && [ ! -e "$work/broken.png" ] && ok ||
    fail "the thumbnailer on a broken map: code $code, $(ls "$work" | grep broken)"
[ -z "$(ls "$work" | grep -E '\.part$')" ] && ok || fail "a temporary file was left"

# --- The .zips.
check_zip() { # zip, bits, what file(1) calls the programs' kind, the tools' prefix
    local zip=$1 bits=$2 kind=$3 tools=$4 into=$work/zip$2
    unzip -q "$zip" -d "$into" && ok || fail "the $bits-bit .zip does not unpack"
    local exe generator
    exe=$(find "$into" -name zuvaro.exe)
    generator=$(find "$into" -name w3egen.exe)
    [ -n "$exe" ] && file "$exe" | grep -q "$kind (GUI)" && ok ||
        fail "no $bits-bit Windows GUI zuvaro.exe in the .zip: $(file "$exe")"
    [ -n "$generator" ] && file "$generator" | grep -q "$kind (console)" && ok ||
        fail "no $bits-bit Windows w3egen.exe in the .zip: $(file "$generator")"
    for program in "$exe" "$generator"; do
        name="$(basename "$program") ($bits-bit)"
        resources=$(wrestool -l "$program" 2>&1)
        grep -q 'type=group_icon' <<<"$resources" && ok || fail "$name has no icon"
        grep -q 'type=version' <<<"$resources" && ok || fail "$name has no version information"
        info=$(wrestool --raw -x --type=16 "$program" | strings -el -n 3 | paste -sd "|")
        grep -q "|ProductVersion|$version|" <<<"|$info|" &&
            grep -q "|FileDescription|Zuvaro" <<<"|$info|" && ok ||
            fail "$name's version information: $info"
        "$tools-objdump" -h "$program" | grep -q '\.debug' && fail "$name is not stripped" || ok
    done
    [ -n "$(find "$into" -name README.md)" ] && ok || fail "no README in the $bits-bit .zip"
    cmp -s "$(find "$into" -name LICENSE)" "$(dirname "$0")/../../LICENSE" && ok ||
        fail "no LICENSE in the $bits-bit .zip"
}
check_zip "$zip32" 32 "PE32 executable" i686-w64-mingw32
check_zip "$zip64" 64 "PE32+ executable" x86_64-w64-mingw32

echo "packages: $passes passed, $failures failed"
exit $((failures > 0))
