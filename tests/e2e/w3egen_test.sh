#!/usr/bin/env bash
# w3egen's command line: help, deterministic output, sizes, broken files, clear errors.
# usage: w3egen_test.sh W3EGEN
set -u
w3egen=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$w3egen" --help | grep -q -- '--shape NAME' || fail "--help does not explain --shape"

"$w3egen" --seed 5 --width 40 --height 30 "$work/a.w3e" || fail "demo map not written"
"$w3egen" --seed 5 --width 40 --height 30 "$work/b.w3e"
"$w3egen" --seed 6 --width 40 --height 30 "$work/c.w3e"
cmp -s "$work/a.w3e" "$work/b.w3e" || fail "the same seed gave different files"
cmp -s "$work/a.w3e" "$work/c.w3e" && fail "different seeds gave the same file"
# Header of 4 ground and 2 cliff IDs: 37 + 16 + 8 bytes, then 7 bytes per tile point.
[ "$(stat -c %s "$work/a.w3e")" -eq $((61 + 7 * 40 * 30)) ] || fail "demo map has the wrong size"

"$w3egen" --shape flat --width 3 --height 3 --cut 10 "$work/cut.w3e"
[ "$(stat -c %s "$work/cut.w3e")" -eq 10 ] || fail "--cut did not cut"
"$w3egen" --shape flat --width 3 --height 3 --trailing 5 "$work/long.w3e"
[ "$(stat -c %s "$work/long.w3e")" -eq $((61 + 63 + 5)) ] || fail "--trailing did not append"
head -c 4 "$work/long.w3e" | grep -q 'W3E!' || fail "magic not written"

expect_error() { # message part, arguments...
    local want=$1
    shift
    local err
    err=$("$w3egen" "$@" 2>&1 >/dev/null)
    local code=$?
    [ "$code" -eq 2 ] || fail "w3egen $* exited with $code, not 2"
    grep -qF -- "$want" <<<"$err" || fail "w3egen $*: '$err' does not say '$want'"
}
expect_error "--width needs a whole number from 0 to 32768, not 'ten'" --width ten "$work/x"
expect_error "no shape called 'cone'" --shape cone "$work/x"
expect_error "IDs of exactly 4 characters, not 'Vab'" --ground-ids Vmos,Vab "$work/x"
expect_error "no OUTPUT file given" --width 3
expect_error "does not fit the file's ground height" --shape ramp-columns --width 100 "$work/x"
expect_error "unknown option --colour" --colour red "$work/x"
"$w3egen" --width 2 --height 2 "$work/missing/dir/x.w3e" 2>/dev/null && fail "wrote into a missing folder"

# An existing file stays as it is unless --force is given.
cp "$work/a.w3e" "$work/kept.w3e"
err=$("$w3egen" --shape flat --width 2 --height 2 "$work/kept.w3e" 2>&1)
[ $? -eq 1 ] && [ "$err" = "w3egen: $work/kept.w3e exists; give --force to replace it" ] ||
    fail "an existing file: $err"
cmp -s "$work/a.w3e" "$work/kept.w3e" || fail "an existing file was changed without --force"
"$w3egen" --shape flat --width 2 --height 2 --force "$work/kept.w3e" &&
    [ "$(stat -c %s "$work/kept.w3e")" -eq $((61 + 28)) ] || fail "--force did not replace the file"

[ "$failures" -eq 0 ] && echo "w3egen: all checks passed"
exit "$failures"
