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
echo "== vemo_bench_chains"
"$build"/bench/vemo_bench_chains
echo "== vemo_bench_logic (one exchange_diabolical puzzle in ${LOGIC_EVERY:-10})"
"$build"/bench/vemo_bench_logic "${LOGIC_EVERY:-10}"
echo "== vemo_bench_scale (the community's scale: agreement with the stored ratings, speed)"
"$build"/bench/vemo_bench_scale "${SCALE_SAMPLE:-0}"
echo "== vemo_bench_generator"
"$build"/bench/vemo_bench_generator "${GENERATOR_RUNS:-21}"
if [ -x "$build"/bench/vemo_bench_responsiveness ]; then
    echo "== vemo_bench_responsiveness"
    "$build"/bench/vemo_bench_responsiveness "${GENERATOR_RUNS:-21}"
fi
if [ -x "$build"/bench/vemo_bench_pool ]; then
    echo "== vemo_bench_pool"
    "$build"/bench/vemo_bench_pool "${GENERATOR_RUNS:-21}"
fi
echo "== vemo_bench_practice"
"$build"/bench/vemo_bench_practice "${PRACTICE_SECONDS:-10}"

# The command-line tool beside QQWing (a different generator and rater, when
# installed: apt-get install qqwing) on top1465, in the same run: whole
# processes, one thread, CPU seconds (user + system), best of three.
top="$(dirname "$0")/../../shared/data/top1465.txt"
if [ -f "$top" ]; then
    cpu() {
        local best="" t
        for _ in 1 2 3; do
            t=$( { TIMEFORMAT='%U %S'; time "$@" > /dev/null 2>&1; } 2>&1 | awk '{print $1 + $2}')
            if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t; fi
        done
        echo "$best"
    }
    n=$(grep -c . "$top")
    ours_count() { "$build"/vemotarn-cli count "$top"; }
    ours_rate() { "$build"/vemotarn-cli rate "$top"; }
    qq_count() { qqwing --solve --count-solutions --nosolution < "$top"; }
    qq_rate() { qqwing --solve --stats --nosolution < "$top"; }
    report() { # label, our seconds, their seconds (may be empty)
        awk -v l="$1" -v a="$2" -v b="$3" -v n="$n" 'BEGIN {
            printf "%-28s vemotarn-cli %8.0f puzzles/s", l, n / (a > 0 ? a : 1e-9)
            if (b != "") printf "   qqwing %8.0f puzzles/s   ratio %.2f", n / (b > 0 ? b : 1e-9), b / (a > 0 ? a : 1e-9)
            printf "\n" }'
    }
    echo "== command-line tool on top1465 (whole process, CPU time, best of 3)"
    if command -v qqwing > /dev/null; then
        report "count (qqwing: solutions)" "$(cpu ours_count)" "$(cpu qq_count)"
        report "rate (qqwing: --stats)" "$(cpu ours_rate)" "$(cpu qq_rate)"
    else
        report "count" "$(cpu ours_count)" ""
        report "rate" "$(cpu ours_rate)" ""
        echo "(qqwing is not installed: apt-get install qqwing to compare)"
    fi
fi
