#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Vemo Tarn developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Black-box checks of the window program as a player's session meets it, run
# offscreen with real signals: a game with played hints survives the end of
# a session and a restart; a file argument leaves the kept game alone; a
# second start hands over to the first window, and a window on another
# desktop leaves the first one's game alone; SIGTERM and SIGHUP keep the
# game and the settings; huge sizes in the settings are cut to the screen;
# the stale temporaries of a killed run go, and only those.
# Usage: window_session_test.sh PROGRAM DATA_SOURCE WORK
set -u
PROGRAM=$(realpath "$1")
SOURCE=$(realpath "$2")
WORK=$3
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

top="4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........"
kept="$(dirname "$0")/data/hinted_game.txt"

# A fresh account: the program in its own folder (its settings beside it), its
# data folders linked, and an empty data home.
fresh() {
    rm -rf "$WORK"
    mkdir -p "$WORK/program" "$WORK/home/VemoTarn"
    cp "$PROGRAM" "$WORK/program/vemotarn"
    for folder in Langues exemples Divers; do ln -s "$SOURCE/$folder" "$WORK/program/$folder"; done
    echo "$top" > "$WORK/p.sku"
    data="$WORK/home/VemoTarn"
}

# start [ARGUMENT]: the window in the background; its pid in $window. On the
# desktop named by $desktop when it is set.
started=()
start() {
    DISPLAY="${desktop:-${DISPLAY:-}}" QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$WORK/home" \
        XDG_RUNTIME_DIR="$WORK" "$WORK/program/vemotarn" "$@" > "$WORK/out" 2> "$WORK/err" &
    window=$!
    started+=("$window")
}
# No window outlives the test, whatever fails.
trap 'for pid in "${started[@]}"; do kill -KILL "$pid" 2> /dev/null; done' EXIT

# ends PID SECONDS: true when the process ended within the time; its status
# in $status.
ends() {
    local waited=0
    while kill -0 "$1" 2> /dev/null; do
        [ $waited -ge $(($2 * 10)) ] && return 1
        sleep 0.1
        waited=$((waited + 1))
    done
    wait "$1"
    status=$?
    return 0
}

# stop SIGNAL NAME: sends the signal; the window must end at once, with status 0.
stop() {
    kill -"$1" "$window"
    if ! ends "$window" 10; then
        fail "$2: still running 10 s after SIG$1"
        kill -KILL "$window"
    elif [ "$status" -ne 0 ]; then
        fail "$2: status $status after SIG$1"
    fi
}

clock_of() { sed -n 's/^clock //p' "$1"; }

# A game with three played hints: resumed, then kept at SIGTERM and SIGHUP,
# its clock going on; the settings written.
for signal in TERM HUP; do
    fresh
    cp "$kept" "$data/partie.txt"
    start
    sleep 3
    stop "$signal" "hinted game"
    if [ -e "$data/partie.txt.bad" ]; then fail "hinted game ($signal): set aside as damaged"; fi
    if [ ! -e "$data/partie.txt" ]; then
        fail "hinted game ($signal): the game is gone"
    else
        grep -q '^move 3 3 -1 0$' "$data/partie.txt" || fail "hinted game ($signal): the hints are lost"
        [ "$(clock_of "$data/partie.txt")" -gt "$(clock_of "$kept")" ] ||
            fail "hinted game ($signal): the clock did not go on"
    fi
    [ -s "$WORK/program/VemoTarn.ini" ] || fail "SIG$signal: the settings were not written"
done

# A file given as the argument, closed with no move: the kept game stays.
fresh
cp "$kept" "$data/partie.txt"
start "$WORK/p.sku"
sleep 3
stop TERM "file argument"
cmp -s "$kept" "$data/partie.txt" || fail "file argument: the kept game was replaced"
grep -q "Fic1=$WORK/p.sku" "$WORK/program/VemoTarn.ini" || fail "file argument: not a recent file"

# Two starts on one account: the second hands over and ends; the first keeps
# its game.
fresh
cp "$kept" "$data/partie.txt"
start
first=$window
sleep 3
start
if ! ends "$window" 10; then
    fail "second start without argument: still running"
    kill -KILL "$window"
elif [ "$status" -ne 0 ]; then
    fail "second start without argument: status $status"
fi
start "$WORK/p.sku"
if ! ends "$window" 10; then
    fail "second start with a file: still running"
    kill -KILL "$window"
fi
[ -e "$data/partie.txt" ] || fail "two windows: the second deleted the first one's game"
window=$first
stop TERM "first window"
grep -q '^move 3 3 -1 0$' "$data/partie.txt" || fail "two windows: the first one's game is lost"
# Two windows on two desktops of one account: neither hands over, and the
# second, idle or given a file, neither resumes nor rewrites nor removes the
# first one's game; the first keeps it at its end.
fresh
cp "$kept" "$data/partie.txt"
desktop=:71 start
first=$window
# Until the first window holds the game (however slow its start), then the
# same time as before.
awaited=0
while [ ! -e "$data/partie.txt.lock" ] && [ $awaited -lt 300 ]; do
    sleep 0.1
    awaited=$((awaited + 1))
done
sleep 3
for argument in "" "$WORK/p.sku"; do
    if [ -n "$argument" ]; then desktop=:72 start "$argument"; else desktop=:72 start; fi
    sleep 3
    if ! kill -0 "$window" 2> /dev/null; then
        fail "second desktop${argument:+ with a file}: no window"
        continue
    fi
    stop TERM "second desktop${argument:+ with a file}"
    if [ ! -e "$data/partie.txt" ]; then
        fail "second desktop${argument:+ with a file}: the first window's game was removed"
    elif ! cmp -s "$kept" "$data/partie.txt"; then
        fail "second desktop${argument:+ with a file}: the first window's game was written over"
    fi
done
window=$first
stop TERM "first desktop"
grep -q '^move 3 3 -1 0$' "$data/partie.txt" || fail "two desktops: the first one's game is lost"
[ "$(clock_of "$data/partie.txt")" -gt "$(clock_of "$kept")" ] ||
    fail "two desktops: the first window did not keep its own game"
[ -e "$data/partie.txt.lock" ] && fail "two desktops: the lock outlived the windows"

# A window that was killed leaves its name behind: the next start is a window.
fresh
start
first=$window
sleep 2
kill -KILL "$first"
wait "$first" 2> /dev/null
start
sleep 3
if ! kill -0 "$window" 2> /dev/null; then
    fail "start after a killed window: no window"
else
    stop TERM "start after a killed window"
fi

# Sizes far beyond any screen: the window comes up in bounded memory, ends at
# once, and writes back a size the screen can show.
fresh
printf '[Divers]\nWidth=100000\nHeight=100000\n' > "$WORK/program/VemoTarn.ini"
start
sleep 3
rss=$(sed -n 's/^VmRSS:[^0-9]*\([0-9]*\).*/\1/p' "/proc/$window/status" 2> /dev/null)
[ -n "$rss" ] && [ "$rss" -lt 400000 ] || fail "huge size: ${rss:-?} kB resident"
stop TERM "huge size"
width=$(sed -n 's/^Width=//p' "$WORK/program/VemoTarn.ini" | tr -d '\r')
[ -n "$width" ] && [ "$width" -lt 8000 ] || fail "huge size: written back as '$width'"

# The temporaries of a run killed in the middle of a write go at the next
# start; the user's files with similar names stay.
fresh
for name in partie.txt.tmp-vemotarn-a1B2c3 records.txt.tmp-vemotarn-Qw3rTy; do
    echo stale > "$data/$name"
    touch -d '1 hour ago' "$data/$name"
done
echo mine > "$data/partie.txt.a1B2c3"
touch -d '1 hour ago' "$data/partie.txt.a1B2c3"
start
sleep 3
stop TERM "stale temporaries"
if compgen -G "$data/*.tmp-vemotarn-*" > /dev/null; then fail "stale temporaries: still there"; fi
[ -e "$data/partie.txt.a1B2c3" ] || fail "stale temporaries: a user's file was removed"

if [ $failures -gt 0 ]; then
    echo "$failures failures"
    exit 1
fi
echo "every session ended with its game"
