#!/usr/bin/env bash
# Runs every benchmark of the build folder.
set -euo pipefail
build=${1:-build}
for b in "$build"/bench/vemo_bench_*; do
    [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    "$b" --benchmark_counters_tabular=true
done
