#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Vemo Tarn developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The bash completion of vemotarn-cli against the tool's own help text: every
# command, every option of each command and every listed value is offered.
#   completion_test.sh CLI COMPLETION_SCRIPT
set -uo pipefail
cli=$1
# shellcheck source=/dev/null
source "$2"
failures=0

# The words offered for the command line "$@" with the cursor on its last word.
offered() {
    COMP_WORDS=(vemotarn-cli "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _vemotarn_cli
    printf '%s\n' "${COMPREPLY[@]}"
}

expect() { # expect WORD COMMAND-LINE...
    local word=$1
    shift
    local words
    words=$(offered "$@")
    if ! grep -qx -- "$word" <<< "$words"; then
        echo "not offered: '$word' after 'vemotarn-cli $*'"
        failures=$((failures + 1))
    fi
}

help=$("$cli" --help) || exit 1
commands=$(sed -n 's/^  \([a-z0-9]*\) .*/\1/p' <<< "$help")
[ "$(wc -w <<< "$commands")" -ge 10 ] || { echo "too few commands in: $help"; exit 1; }
for command in $commands; do
    expect "$command" "${command:0:2}"
    usage=$(grep "^  $command " <<< "$help")
    for option in $(grep -o -- '--[a-z]*' <<< "$usage" | sort -u); do
        expect "$option" "$command" "--"
        values=$(grep -o -- "$option [a-z]*|[a-z|]*" <<< "$usage" | head -n 1 | cut -d' ' -f2)
        for value in ${values//|/ }; do
            expect "$value" "$command" "$option" ""
        done
    done
done
[ "$failures" -eq 0 ] || exit 1
echo "completion: $(wc -w <<< "$commands") commands checked"
