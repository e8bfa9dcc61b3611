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

# The rugged shape brings its own twelve ground and three cliff tile sets unless given others.
"$w3egen" --shape rugged --width 40 --height 30 "$work/r1.w3e" &&
    "$w3egen" --shape rugged --width 40 --height 30 "$work/r2.w3e" || fail "rugged map not written"
cmp -s "$work/r1.w3e" "$work/r2.w3e" || fail "the rugged shape gave different files"
[ "$(head -c 9 "$work/r1.w3e" | tail -c 1)" = Q ] || fail "the rugged shape's tile set is not Q"
[ "$(stat -c %s "$work/r1.w3e")" -eq $((37 + 48 + 12 + 7 * 40 * 30)) ] ||
    fail "the rugged map does not hold 12 ground and 3 cliff tile set IDs"
"$w3egen" --shape rugged --ground-ids Qaaa,Qbbb --width 40 --height 30 "$work/r3.w3e"
[ "$(stat -c %s "$work/r3.w3e")" -eq $((37 + 8 + 12 + 7 * 40 * 30)) ] ||
    fail "--ground-ids did not replace the rugged shape's own"

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
# Numbers whole and plain: no blanks, no hexadecimal, nothing past a float, no inf or nan.
expect_error "--width needs a whole number from 0 to 32768, not ' 12'" --width ' 12' "$work/x"
expect_error "--seed needs a whole number" --seed 0x10 "$work/x"
for bad in 0x1p3 1e999 -1e39 inf nan "" 1.5.2 - 1e 12abc " 1"; do
    expect_error "--x-offset needs a decimal number within a float's range, not '$bad'" \
        --x-offset "$bad" "$work/x"
done
"$w3egen" --width 2 --height 2 --x-offset -1.5e3 --z-offset +.25 "$work/offsets.w3e" &&
    [ "$(od -An -tf4 -j53 -N8 "$work/offsets.w3e" | xargs)" = "-1500 0.25" ] ||
    fail "plain decimal offsets were not taken: $(od -An -tf4 -j53 -N8 "$work/offsets.w3e")"
[ -e "$work/x" ] && fail "a refused command line wrote its OUTPUT"
"$w3egen" --width 2 --height 2 "$work/missing/dir/x.w3e" 2>/dev/null && fail "wrote into a missing folder"

# An existing file stays as it is unless --force is given.
cp "$work/a.w3e" "$work/kept.w3e"
err=$("$w3egen" --shape flat --width 2 --height 2 "$work/kept.w3e" 2>&1)
[ $? -eq 1 ] && [ "$err" = "w3egen: $work/kept.w3e exists; give --force to replace it" ] ||
    fail "an existing file: $err"
cmp -s "$work/a.w3e" "$work/kept.w3e" || fail "an existing file was changed without --force"
"$w3egen" --shape flat --width 2 --height 2 --force "$work/kept.w3e" &&
    [ "$(stat -c %s "$work/kept.w3e")" -eq $((61 + 28)) ] || fail "--force did not replace the file"

# Replaced only whole: past a file-size limit (8 KiB) or without the memory for the grid,
# a message and exit 1, the old file unchanged and no temporary file left beside it.
replace_fails() { # what, limit option, limit, message, w3egen arguments...: must fail cleanly
    local what=$1 option=$2 limit=$3 message=$4 err code
    shift 4
    err=$(ulimit "$option" "$limit" && "$w3egen" --force "$@" "$work/kept.w3e" 2>&1)
    code=$?
    [ "$code" -eq 1 ] || fail "$what: exit code $code, not 1 ($err)"
    grep -q "^w3egen: .*$message" <<<"$err" || fail "$what: '$err' does not say '$message'"
    cmp -s "$work/kept.w3e" "$work/before.w3e" || fail "$what: the old file changed"
    [ "$(ls -A "$work" | grep -c part)" -eq 0 ] || fail "$what: a temporary file was left"
}
cp "$work/kept.w3e" "$work/before.w3e"
replace_fails "a file-size limit" -f 8 "File too large" --width 200 --height 200
# The sanitizer's runtime needs more address space than any limit that would test this.
if ! grep -qa __asan_init "$w3egen"; then
    replace_fails "an address-space limit" -v 400000 \
        "not enough memory for a grid of 32768 by 32768 tile points" --width 32768 --height 32768
fi

[ "$failures" -eq 0 ] && echo "w3egen: all checks passed"
exit "$failures"
