#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Vemo Tarn developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs every benchmark of the build folder.
set -euo pipefail
build=${1:-build}
for b in "$build"/bench/vemo_bench_search "$build"/bench/vemo_bench_solver "$build"/bench/vemo_bench_board; do
    echo "== $(basename "$b")"
    "$b" --benchmark_counters_tabular=true
done
echo "== vemo_bench_generator"
"$build"/bench/vemo_bench_generator "${GENERATOR_RUNS:-21}"
if [ -x "$build"/bench/vemo_bench_responsiveness ]; then
    echo "== vemo_bench_responsiveness"
    "$build"/bench/vemo_bench_responsiveness "${GENERATOR_RUNS:-21}"
fi
