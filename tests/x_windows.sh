# Sourced by the scripts that drive the viewer on an X display: finding its windows by title,
# waiting for them, getting past the help box, and waiting for what a check looks at (a title,
# a picture) rather than sleeping a fixed time, so that a busy machine makes the tests slower,
# never wrong. Titles are matched from their start.

patience=${ZUVARO_TEST_PATIENCE:-60} # seconds a wait gives up after
shopt -s extglob                     # for titles matched by title_is

eventually() { # command...: runs it every 0.1 s until it succeeds; false once patience runs out
    local end=$((SECONDS + patience))
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.1
    done
}

screenshot() { # window file.png
    import -window "$1" "$2" 2>/dev/null
}

pixels_apart() { # a.png b.png: how many pixels differ (a million when they cannot be compared)
    local n
    n=$(compare -metric AE "$1" "$2" /dev/null 2>&1 | cut -d' ' -f1)
    case "$n" in
    '' | *[!0-9]*) echo 1000000 ;;
    *) echo "$n" ;;
    esac
}

settled() { # window file.png: a screenshot once three in a row, 0.2 s apart, are the same
    local end=$((SECONDS + patience)) same=0
    screenshot "$1" "$2"
    while [ "$same" -lt 2 ] && [ "$SECONDS" -lt "$end" ]; do
        sleep 0.2
        screenshot "$1" "$2.next.png"
        if [ "$(pixels_apart "$2" "$2.next.png")" -eq 0 ]; then
            same=$((same + 1))
        else
            same=0
            mv "$2.next.png" "$2"
        fi
    done
    rm -f "$2.next.png"
    [ "$same" -ge 2 ]
}

shot_apart() { # window before.png file.png least: a screenshot more than `least` pixels apart
    screenshot "$1" "$3" && [ "$(pixels_apart "$2" "$3")" -gt "$4" ]
}

shot_near() { # window reference.png file.png most: a screenshot fewer than `most` pixels apart
    screenshot "$1" "$3" && [ "$(pixels_apart "$2" "$3")" -lt "$4" ]
}

title_is() { # window glob: whether the window's title matches the pattern
    # shellcheck disable=SC2053
    [[ "$(xdotool getwindowname "$1" 2>/dev/null)" == $2 ]]
}

gone() { # pid: whether the process has ended
    ! kill -0 "$1" 2>/dev/null
}

window_named() { # title start: the X window id, or empty
    xwininfo -root -tree | awk -v p="\"$1" 'index($0, p) { print $1; exit }'
}

is_viewable() { # window
    [ "$(xwininfo -id "$1" 2>/dev/null | awk '/Map State/ {print $3}')" = IsViewable ]
}

wait_for_window() { # title start [seconds, default patience]: waits until it is viewable, prints the id
    local id="" tries=$((${2:-$patience} * 10))
    for _ in $(seq "$tries"); do
        id=$(window_named "$1")
        [ -n "$id" ] && is_viewable "$id" && break
        id=""
        sleep 0.1
    done
    echo "$id"
}

press() { # window, keys...
    local id=$1
    shift
    xdotool windowfocus "$id" 2>/dev/null
    xdotool key --delay 30 "$@"
}

# Waits for the help box, dismisses it and prints the main window's id (empty on failure).
dismiss_help() {
    local box
    box=$(wait_for_window "Ulmic's .v3u Zuvaro")
    [ -n "$box" ] || return 1
    press "$box" Return
    wait_for_window "V3U Zuvaro - Kelpmoor Entertainment"
}
