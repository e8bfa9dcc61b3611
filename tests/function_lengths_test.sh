#!/usr/bin/env bash
# No function of the programs (their layers, the Linux layer and the map generator) runs over
# 60 lines, from its first line to its closing brace, as universal-ctags finds them.
# usage: function_lengths_test.sh SOURCE_DIR
set -u
cd "$1" || exit 1
most=60
long=$(find app render view export terrain platform tools -name '*.cpp' -o -name '*.h' |
    sort |
    xargs ctags --language-force=C++ --kinds-C++=f --fields=+ne -x \
        --_xformat='%{line} %{end} %{input} %{name}' |
    awk -v most="$most" '$2 != "" && $2 - $1 + 1 > most { print $3 ": " $4 ", " $2 - $1 + 1 " lines" }')
if [ -n "$long" ]; then
    echo "FAIL: functions over $most lines:"
    echo "$long"
    exit 1
fi
count=$(find app render view export terrain platform tools -name '*.cpp' -o -name '*.h' | wc -l)
echo "function lengths: none over $most lines in $count files"
