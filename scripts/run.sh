#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Vemo Tarn developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts the program from the build folder; arguments go to the program (a
# puzzle file to open).
set -euo pipefail
build=${1:-build}
exec "$build/vemotarn" "${@:2}"
