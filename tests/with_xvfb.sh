#!/usr/bin/env bash
# Runs a command on a private Xvfb display that it starts and stops itself. Xvfb picks a
# free display number, so several of these can run at once.
# usage: with_xvfb.sh COMMAND [ARGUMENTS...]
set -u
number_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" 2>/dev/null &
xvfb=$!
for _ in $(seq 200); do
    [ -s "$number_file" ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.05
done
if [ ! -s "$number_file" ]; then
    echo "with_xvfb: Xvfb did not start" >&2
    rm -f "$number_file"
    exit 1
fi
export DISPLAY=":$(head -n 1 "$number_file")"
rm -f "$number_file"
"$@"
code=$?
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit "$code"
