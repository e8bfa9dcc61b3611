#!/usr/bin/env bash
# The packages: the .deb unpacks into a scratch folder with working programs and the README;
# the .zip holds zuvaro.exe (a 32-bit Windows GUI program) and the README.
# usage: packages_test.sh DEB ZIP
set -u
deb=$1 zip=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 passes=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { passes=$((passes + 1)); }

[ -f "$deb" ] && ok || fail "no .deb at $deb"
[ -f "$zip" ] && ok || fail "no .zip at $zip"

dpkg-deb -x "$deb" "$work/deb" && ok || fail "the .deb does not unpack"
bin="$work/deb/usr/bin"
[ -f "$work/deb/usr/share/doc/zuvaro/README.md" ] && ok || fail "no README in the .deb"
"$bin/w3egen" --help | grep -q 'usage: w3egen' && ok || fail "w3egen from the .deb does not run"
mkdir "$work/map"
"$bin/w3egen" --width 9 --height 9 "$work/map/war3map.w3e" && ok || fail "w3egen cannot write a map"
out=$(cd "$work/map" && env -u DISPLAY -u WAYLAND_DISPLAY "$bin/zuvaro" 2>/dev/null)
[ "$(tail -n 1 <<<"$out")" = "Done loading war3map.w3e" ] && ok || fail "zuvaro from the .deb does not load: $out"
[ "$(cd "$work" && "$bin/zuvaro" 2>/dev/null)" = shat ] && ok || fail "zuvaro from the .deb without a map"

unzip -q "$zip" -d "$work/zip" && ok || fail "the .zip does not unpack"
exe=$(find "$work/zip" -name zuvaro.exe)
[ -n "$exe" ] && file "$exe" | grep -q 'PE32 executable (GUI) Intel 80386' && ok ||
    fail "no 32-bit Windows GUI zuvaro.exe in the .zip: $(file "$exe")"
[ -n "$(find "$work/zip" -name README.md)" ] && ok || fail "no README in the .zip"

echo "packages: $passes passed, $failures failed"
exit $((failures > 0))
