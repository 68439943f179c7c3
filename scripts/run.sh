#!/usr/bin/env bash
# Starts the program from the build folder.
set -euo pipefail
build=${1:-build}
if [ -x "$build/vemotarn" ]; then
    exec "$build/vemotarn" "${@:2}"
fi
# Until the window exists: solve the sample puzzle with the command-line tool.
echo "Sample puzzle: data/sample.txt"
"$build/vemotarn-cli" count data/sample.txt
exec "$build/vemotarn-cli" solve data/sample.txt
