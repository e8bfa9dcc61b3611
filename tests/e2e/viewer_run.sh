# Sourced by the end-to-end scripts that run the viewer on both builds. Sets `run`, the
# command that starts the program under test (the Linux program, or the Windows program under
# Wine), a scratch folder `work` removed at the end with the viewer (`pid`) and Wine's server,
# and the checks: pass, fail, check NAME EXPECTED ACTUAL, and finish_checks NAME at the end.
# usage: . viewer_run.sh native|wine PROGRAM [PROGRAM64]
mode=$1
work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ "$mode" = wine ] && wine_new_session
    rm -rf "$work"
}
trap cleanup EXIT
. "$(dirname "${BASH_SOURCE[0]}")/../x_windows.sh"

failures=0 passes=0
pass() { passes=$((passes + 1)); }
fail() { echo "FAIL [$mode]: $*"; failures=$((failures + 1)); }
check() { if [ "$2" = "$3" ]; then pass; else fail "$1: expected '$2', got '$3'"; fi; }
finish_checks() { # what was checked: prints the counts and ends the script
    echo "$1 [$mode]: $passes passed, $failures failed"
    exit $((failures > 0))
}

# new_session: before a run on another display than the last run's (or with none), under Wine
# a session of its own for it (see wine_env.sh); nothing for the Linux program.
new_session() { [ "$mode" != wine ] || wine_new_session; }

if [ "$mode" = wine ]; then
    . "$(dirname "${BASH_SOURCE[0]}")/../wine_env.sh" "$2" "${3:-$2}"
    run=("${wine[@]}" "$wine_exe")
else
    run=("$(realpath "$2")")
fi
