#!/usr/bin/env bash
# Runs a command on a private Xvfb display that it starts and stops itself. Display numbers
# are drawn at random rather than taken lowest-first, so that a server starting here never
# takes the number of one that another test is still shutting down (whose exit would remove
# the new server's socket). -noreset: a server that resets when its last client leaves refuses
# a client connecting meanwhile, as the viewer does right after its help box's own connection
# closes.
# usage: with_xvfb.sh COMMAND [ARGUMENTS...]
set -u
number_file=$(mktemp)
xvfb=""
for _ in $(seq 20); do
    display=$((100 + RANDOM % 900))
    [ -e "/tmp/.X$display-lock" ] && continue
    : >"$number_file"
    Xvfb ":$display" -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$number_file" \
        2>/dev/null &
    xvfb=$!
    for _ in $(seq 200); do
        [ -s "$number_file" ] && break
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.05
    done
    [ -s "$number_file" ] && break
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
    xvfb=""
done
rm -f "$number_file"
if [ -z "$xvfb" ]; then
    echo "with_xvfb: Xvfb did not start" >&2
    exit 1
fi
export DISPLAY=":$display"
# Mesa keeps compiled shaders under $HOME unless told otherwise; ours stay in the build folder.
export MESA_SHADER_CACHE_DIR="${MESA_SHADER_CACHE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/mesa_shader_cache}"
"$@"
code=$?
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit "$code"
