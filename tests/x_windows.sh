# Sourced by the scripts that drive the viewer on an X display: finding its windows by title,
# waiting for them, and getting past the help box. Titles are matched from their start.

window_named() { # title start: the X window id, or empty
    xwininfo -root -tree | awk -v p="\"$1" 'index($0, p) { print $1; exit }'
}

is_viewable() { # window
    [ "$(xwininfo -id "$1" 2>/dev/null | awk '/Map State/ {print $3}')" = IsViewable ]
}

wait_for_window() { # title start [seconds, default 20]: waits until it is viewable, prints the id
    local id="" tries=$((${2:-20} * 10))
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
    box=$(wait_for_window "Ulmic's .v3u Zuvaro" 30)
    [ -n "$box" ] || return 1
    press "$box" Return
    wait_for_window "V3U Zuvaro - Kelpmoor Entertainment" 30
}
