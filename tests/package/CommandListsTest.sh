#!/usr/bin/env bash
# The command lists of `tolvan --help`, the manual page and the bash completion agree.
# Usage: CommandListsTest.sh TOLVAN SOURCEDIR
set -euo pipefail
tolvan="$1"
source_dir="$2"

options() { grep -o -- '--[a-z][a-z-]*' | sort -u; }
help=$("$tolvan" --help | options)
manual=$(sed 's/\\-/-/g' "$source_dir/packaging/tolvan.1" | options)
completion=$(sed -n 's/.*"\(--.*\)".*/\1/p' "$source_dir/packaging/tolvan.bash-completion" | tr ' ' '\n' | options)

status=0
for pair in "manual:$manual" "completion:$completion"; do
    name="${pair%%:*}"
    list="${pair#*:}"
    if [ "$list" != "$help" ]; then
        echo "--help and the $name name different commands:"
        diff <(echo "$help") <(echo "$list") || true
        status=1
    fi
done
[ -n "$help" ] || { echo "--help names no command"; status=1; }
exit $status
