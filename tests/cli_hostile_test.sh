#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Vemo Tarn developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Black-box checks of vemotarn-cli against hostile inputs: devices, pipes,
# folders, oversized and garbage files, and a disk that refuses to take the
# output. Every run is bounded by a timeout; each must end with a non-zero
# status and say what was wrong, and a failed write must leave the old file
# as it was, with no temporary behind.
# Usage: cli_hostile_test.sh CLI WORK
set -u
CLI=$(realpath "$1")
WORK=$2
rm -rf "$WORK"
mkdir -p "$WORK"
failures=0
top="4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........"

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Address space for one run: ample for the tool, far below what an unbounded
# read would take. A sanitized build reserves its shadow memory up front and
# runs without the cap.
memory=2000000
if ldd "$CLI" | grep -q 'libasan'; then memory=unlimited; fi

# expect NAME PATTERN COMMAND...: the command ends within 20 s, with a
# non-zero status, and its standard error matches PATTERN.
expect() {
    local name=$1 pattern=$2
    shift 2
    (ulimit -v "${cap:-$memory}" && exec timeout -s KILL 20 "$@") > "$WORK/out" 2> "$WORK/err" < /dev/null
    local status=$?
    if [ $status -eq 137 ]; then
        fail "$name: no answer within 20 s"
    elif [ $status -eq 0 ]; then
        fail "$name: status 0"
    elif [ $status -gt 128 ]; then
        fail "$name: killed by signal $((status - 128))"
    elif ! grep -Eq "$pattern" "$WORK/err"; then
        fail "$name: message '$(head -c 300 "$WORK/err")' does not match '$pattern'"
    fi
}

# Hostile inputs for every command that reads puzzles.
mkfifo "$WORK/fifo"
mkdir "$WORK/folder"
head -c $((5 * 1024 * 1024)) /dev/zero | tr '\0' '.' > "$WORK/huge.sku"
for command in show count solve analyse rate hint; do
    expect "$command /dev/zero" "not a regular file" "$CLI" "$command" /dev/zero
    expect "$command fifo" "not a regular file" "$CLI" "$command" "$WORK/fifo"
    expect "$command folder" "[Ii]s a directory" "$CLI" "$command" "$WORK/folder"
done
expect "show huge" "larger than 4 MB" "$CLI" show "$WORK/huge.sku"
for command in count solve analyse rate hint; do
    expect "$command huge" "line longer than" "$CLI" "$command" "$WORK/huge.sku"
done
expect "count zeros on standard input" "line longer than" \
    bash -c "head -c 100000000 /dev/zero | '$CLI' count -"
expect "print fifo" "not a regular file" "$CLI" print "$WORK/fifo" --out "$WORK/x.pdf"
expect "top1465 folder" "[Ii]s a directory" "$CLI" top1465 "$WORK/folder" --out "$WORK/stats"

# The tool's language file, broken in the ways a user or an attacker could:
# the tool must still answer at once, in French, in bounded memory.
mkdir -p "$WORK/tool/Langues"
cp "$CLI" "$WORK/tool/vemotarn-cli"
echo "$top" > "$WORK/one.txt"
echo "12" > "$WORK/short.sku"
language="$WORK/tool/Langues/Français.lng"
check_language() {
    local name=$1
    # 500 MB: several times what the tool needs to show a file.
    [ "$memory" = unlimited ] || local cap=500000
    cap=${cap:-} expect "language $name" "trop court|too short|[Ff]ichier" \
        "$WORK/tool/vemotarn-cli" show "$WORK/short.sku"
}
mkfifo "$language"
check_language fifo
rm -f "$language"
ln -s /dev/zero "$language"
check_language "link to /dev/zero"
rm -f "$language"
head -c 100000 /dev/urandom > "$language"
check_language garbage
: > "$language"
check_language empty
# 37 KB of entries with the highest sub-indexes: the table must not grow with
# the numbers.
for id in $(seq 1000 3999); do printf '#%04d 9999  x\n' "$id"; done > "$language"
check_language "high sub-indexes"

# Writes on a full disk: a file-size limit of 0 makes every write to a file
# fail, as a full disk does (SIGXFSZ ignored, so that write() reports EFBIG).
# The messages travel through a pipe, which the limit does not touch.
echo "$top" > "$WORK/puzzle.sku"
full=(bash -c 'set -o pipefail; trap "" XFSZ; (ulimit -f 0; exec "$@") 2>&1 > /dev/null | cat >&2' full)
check_kept() {
    local name=$1 file=$2 before=$3
    if ! cmp -s "$file" "$before"; then fail "$name: the old file changed"; fi
    if compgen -G "$file.tmp-vemotarn-??????" > /dev/null || compgen -G "$file.??????" > /dev/null; then fail "$name: a temporary file is left"; fi
}
echo "old pdf" > "$WORK/old.pdf"
cp "$WORK/old.pdf" "$WORK/before-old.pdf"
expect "print on a full disk" "EFBIG|too large|File too large" \
    "${full[@]}" "$CLI" print "$WORK/puzzle.sku" --out "$WORK/old.pdf"
check_kept "print on a full disk" "$WORK/old.pdf" "$WORK/before-old.pdf"
expect "sheet on a full disk" "File too large" \
    "${full[@]}" "$CLI" sheet --seed 3 --out "$WORK/old.pdf"
check_kept "sheet on a full disk" "$WORK/old.pdf" "$WORK/before-old.pdf"
expect "save on a full disk" "File too large" "${full[@]}" "$CLI" save "$WORK/puzzle.sku" "$WORK/old.pdf"
check_kept "save on a full disk" "$WORK/old.pdf" "$WORK/before-old.pdf"
mkdir -p "$WORK/stats"
echo "old results" > "$WORK/stats/Statistiques.txt"
cp "$WORK/stats/Statistiques.txt" "$WORK/stats.before"
expect "stats on a full disk" "File too large" \
    "${full[@]}" "$CLI" stats --count 2 --seed 1 --out "$WORK/stats"
check_kept "stats on a full disk" "$WORK/stats/Statistiques.txt" "$WORK/stats.before"
mkdir -p "$WORK/examples"
expect "examples on a full disk" "File too large" \
    "${full[@]}" "$CLI" examples --count 50 --seed 1 --out "$WORK/examples"
if [ -n "$(ls -A "$WORK/examples")" ]; then fail "examples on a full disk: files left"; fi

# Standard output that takes nothing: /dev/full, closed, or a file on a full
# disk. Every command that prints must fail and say so, never exit 0.
echo "$top" > "$WORK/list.txt"
for args in "show $WORK/puzzle.sku" "count $WORK/list.txt" "solve $WORK/list.txt" \
    "analyse $WORK/list.txt" "rate $WORK/list.txt" "hint $WORK/list.txt" \
    "generate --count 3 --seed 4" "--help"; do
    read -r -a words <<< "$args"
    expect "${words[0]} to /dev/full" "standard output.*(No space|space left)" \
        bash -c 'exec "$@" > /dev/full' full "$CLI" "${words[@]}"
    expect "${words[0]} to a closed output" "standard output" \
        bash -c 'exec "$@" >&-' closed "$CLI" "${words[@]}"
done
expect "generate on a full disk" "standard output.*File too large" \
    bash -c 'trap "" XFSZ; ulimit -f 1; exec "$@" > "$0"' "$WORK/cut.txt" "$CLI" generate --count 40 --seed 2

# The same commands succeed when the disk has room, and write through a link
# into the link's target.
ln -s old.pdf "$WORK/link.pdf"
timeout 60 "$CLI" print "$WORK/puzzle.sku" --out "$WORK/link.pdf" || fail "print: status $?"
[ -L "$WORK/link.pdf" ] || fail "print over a link replaced the link"
head -c 5 "$WORK/old.pdf" | grep -q '%PDF-' || fail "print over a link: the target is no PDF"

if [ $failures -gt 0 ]; then
    echo "$failures failures"
    exit 1
fi
echo "all hostile inputs answered"
