#!/usr/bin/env bash
# The desktop's open-file dialog on Linux, as a user meets it: started from the desktop entry
# (--error-box) in a folder without a map, the dialog asks for one; a chosen map opens, and
# Ctrl+O in the viewer opens another, the dialog starting in the shown map's folder;
# cancelling ends the program quietly; without a file chooser, a message says so.
# usage: open_dialog_test.sh PROGRAM W3EGEN   (DISPLAY must be set)
set -u
w3egen=$(realpath "$2")
. "$(dirname "$0")/viewer_run.sh" native "$1"
export NO_AT_BRIDGE=1 # no accessibility bus for GTK to wait for
# A text cursor that does not blink, so that a dialog that has taken a key settles.
# GTK keeps its settings, its cache and the recently used files under these.
export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache XDG_DATA_HOME=$work/data
mkdir -p "$XDG_CONFIG_HOME/gtk-3.0"
printf '[Settings]\ngtk-cursor-blink = false\n' >"$XDG_CONFIG_HOME/gtk-3.0/settings.ini"

# A dialog that has drawn itself and stopped changing, as after each step of choosing.
ready() { # dialog step
    settled "$1" "$work/$2.png"
}
changed_then_ready() { # dialog before step
    eventually shot_apart "$1" "$work/$2.png" "$work/$3.png" 0 && ready "$1" "$3"
}
choose() { # file: picks it in the open dialog, each key once the dialog shows the last one's
    local dialog
    dialog=$(wait_for_window "Open a map")
    [ -n "$dialog" ] || { fail "no open dialog"; return 1; }
    ready "$dialog" opened
    xdotool windowfocus --sync "$dialog" key ctrl+l
    changed_then_ready "$dialog" opened located
    xdotool type --delay 20 "$1"
    changed_then_ready "$dialog" located typed
    xdotool key Return
}
reported() { grep -qx "Done loading $1" "$work/out"; }
wait_for_report() { eventually reported "$1"; } # file: waits until the report ends with it

mkdir -p "$work/empty" "$work/a" "$work/b"
"$w3egen" --shape demo --width 33 --height 33 "$work/a/war3map.w3e"
"$w3egen" --shape flat --width 17 --height 17 "$work/a/other.w3e"

(cd "$work/empty" && exec "${run[@]}" --error-box >"$work/out" 2>"$work/err") &
pid=$!
choose "$work/a/war3map.w3e"
wait_for_report "$work/a/war3map.w3e" && pass || fail "the chosen map did not open: $(cat "$work/err")"
main=$(dismiss_help)
[ -n "$main" ] && pass || fail "no window after the dialog"
press "$main" ctrl+o
choose other.w3e # by its name alone: the dialog is in the shown map's folder
wait_for_report "$work/a/other.w3e" && pass ||
    fail "Ctrl+O did not open the chosen map from the shown map's folder"
press "$main" Escape
finish_wait() { eventually gone "$pid"; }
finish_wait
wait "$pid"
check "exit code after Escape" 0 "$?"

# Cancelled: quietly, with 0.
(cd "$work/empty" && exec "${run[@]}" --error-box >"$work/out" 2>"$work/err") &
pid=$!
dialog=$(wait_for_window "Open a map")
ready "$dialog" cancelling
xdotool windowfocus --sync "$dialog" key Escape
finish_wait
wait "$pid"
check "cancelled: exit code, and nothing said" "0||" "$?|$(grep -v XDG_RUNTIME "$work/err")|$(window_named "Ulmic")"

# No file chooser: a message that says so, in a box and on standard error.
(cd "$work/empty" && PATH=/nowhere exec "${run[@]}" --error-box >"$work/out" 2>"$work/err") &
pid=$!
box=$(wait_for_window Zuvaro)
[ -n "$box" ] && pass || fail "no box without a file chooser"
[ -n "$box" ] && press "$box" Return
finish_wait
wait "$pid"
check "without a file chooser: exit code" 1 "$?"
grep -q "^zuvaro: cannot show the open-file dialog" "$work/err" && pass ||
    fail "no message without a file chooser: $(cat "$work/err")"
pid=""
finish_checks "open dialog"
