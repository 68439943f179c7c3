#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Vemo Tarn developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Compares the scale rating of vemotarn-cli with the ratings stored beside the
# puzzles of a file of "<81 characters> <rating>" lines.
#
#   scripts/scale-compare.sh FILE [STEP] [JOBS] [WORST]
#
# STEP takes every STEP-th line (1: every line), JOBS threads, WORST the
# number of the largest disagreements listed. Prints the exact and ±0.3
# agreement, Spearman's rank correlation, the confusion by band, the
# disagreements grouped by our hardest step, and the worst ones.
# CLI (default build/vemotarn-cli) and KEEP (a file to keep the joined
# "stored ours step puzzle" lines in) may be set in the environment.
set -euo pipefail

file=${1:?usage: scale-compare.sh FILE [STEP] [JOBS] [WORST]}
step=${2:-1}
jobs=${3:-1}
worst=${4:-15}
cli=${CLI:-build/vemotarn-cli}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

awk -v s="$step" 'NF >= 2 && length($1) == 81 && (NR - 1) % s == 0' "$file" >"$tmp/sample"
"$cli" rate "$tmp/sample" --scale --jobs "$jobs" >"$tmp/ours"
# stored ours step... puzzle
paste -d' ' "$tmp/sample" "$tmp/ours" |
    awk '{ split($3, r, "/"); name = $4; for (i = 5; i <= NF; ++i) name = name "_" $i;
           print $2, r[1], name, $1 }' >"$tmp/joined"
if [[ -n ${KEEP:-} ]]; then cp "$tmp/joined" "$KEEP"; fi

# Average ranks (ties share the mean of their positions) of column $1.
rank() {
    sort -t' ' -k"$1","$1"g "$tmp/numbered" |
        awk -v col="$1" '
        { id[NR] = $1; v[NR] = $col }
        END {
            i = 1
            while (i <= NR) {
                j = i
                while (j < NR && v[j + 1] == v[i]) ++j
                for (k = i; k <= j; ++k) print id[k], (i + j) / 2
                i = j + 1
            }
        }' | sort -n -k1,1
}
awk '{ print NR, $1, $2 }' "$tmp/joined" >"$tmp/numbered"
rank 2 >"$tmp/r1"
rank 3 >"$tmp/r2"
spearman=$(join "$tmp/r1" "$tmp/r2" | awk '
    { x[NR] = $2; y[NR] = $3; sx += $2; sy += $3 }
    END {
        mx = sx / NR; my = sy / NR
        for (i = 1; i <= NR; ++i) {
            dx = x[i] - mx; dy = y[i] - my
            num += dx * dy; vx += dx * dx; vy += dy * dy
        }
        printf "%.3f", num / sqrt(vx * vy)
    }')

awk -v spearman="$spearman" -v worst="$worst" '
    function tenths(v) { return int(v * 10 + 0.5) }
    {
        s = tenths($1); o = tenths($2); ++n
        d = o - s
        if (d == 0) ++exact
        if (d <= 3 && d >= -3) ++near
        sb = int(s / 10); ob = (o >= 200) ? 20 : int(o / 10)
        conf[sb, ob]++; rows[sb]++; cols[ob] = 1
        if (d != 0) {
            key = (d > 0 ? "higher" : "lower") " " $3
            group[key]++
            line[n] = sprintf("%+5.1f  %4.1f %4.1f  %s  %s", d / 10, s / 10, o / 10, $3, $4)
            gap[n] = d < 0 ? -d : d
        }
    }
    END {
        printf "puzzles %d  exact %.1f %%  within 0.3 %.1f %%  Spearman %s\n\n",
               n, 100 * exact / n, 100 * near / n, spearman
        printf "stored \\ ours"
        for (b = 1; b <= 20; ++b) if (b in cols) printf " %6s", b
        printf "\n"
        for (a = 1; a <= 20; ++a) {
            if (!(a in rows)) continue
            printf "%2d (%6d)  ", a, rows[a]
            for (b = 1; b <= 20; ++b) if (b in cols) printf " %6d", conf[a, b] + 0
            printf "\n"
        }
        printf "\ndisagreements by our hardest step:\n"
        cmd = "sort -k1,1nr"
        for (k in group) printf "%7d  %s\n", group[k], k | cmd
        close(cmd)
        printf "\nworst %d:\n", worst
        cmd = "sort -k1,1nr | cut -d\" \" -f2- | head -n " worst
        for (i in line) print gap[i], line[i] | cmd
        close(cmd)
    }' "$tmp/joined"
