#!/usr/bin/env bash
# The layers' arrows, read off the sources: terrain/ includes nothing of ours; view/ only
# terrain/; export/ only view/ and terrain/, with no OpenGL and no window; app/ makes no
# OpenGL call (actions change state, the renderer applies it).
# usage: layers_test.sh SOURCE_DIR
set -u
cd "$1" || exit 1
failures=0
offending() { # what, pattern, folders...: lists the lines of the folders that match
    local what=$1 pattern=$2
    shift 2
    local found
    found=$(grep -nE "$pattern" "$@" --include='*.h' --include='*.cpp' -r 2>/dev/null)
    if [ -n "$found" ]; then
        echo "FAIL: $what:"
        echo "$found" | head -n 20
        failures=$((failures + 1))
    fi
}
ours='#include "(terrain|view|render|export|app|platform)/'
offending "terrain/ includes another layer" '#include "(view|render|export|app|platform)/' terrain
offending "view/ includes a layer above it" '#include "(render|export|app|platform)/' view
offending "export/ includes a layer other than view/ and terrain/" \
    '#include "(render|app|platform)/' export
gl='(#include <GL/|\bglu?[A-Z][A-Za-z0-9]*\s*\(|\bwgl[A-Z])'
offending "OpenGL in view/" "$gl" view
offending "OpenGL in export/" "$gl" export
offending "an OpenGL call in app/ (its window's context, wgl, is the window's own)" '(#include <GL/|\bglu?[A-Z][A-Za-z0-9]*\s*\()' app
[ "$failures" -eq 0 ] && echo "layers: all checks passed"
exit "$failures"
