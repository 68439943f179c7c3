#!/usr/bin/env bash
# Starts the program from the build folder; arguments go to the program (a
# puzzle file to open).
set -euo pipefail
build=${1:-build}
exec "$build/vemotarn" "${@:2}"
