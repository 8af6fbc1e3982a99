#!/bin/sh
# Start-up time, private memory and idle CPU of Tellwick against a minimal Qt window program
# started the same way in the same run, on a private X display with a tray.
# Usage: bench/startup.sh [BUILD_DIR]; BUILD_DIR is a release build with TELLWICK_BUILD_BENCH=ON
# (default build-rel). RUNS (default 10) start-ups each; IDLE_SECONDS (default 60) of idling.
set -eu
cd "$(dirname "$0")/.."
BUILD=$(cd "${1:-build-rel}" && pwd)
RUNS=${RUNS:-10}
IDLE_SECONDS=${IDLE_SECONDS:-60}
TELLWICK="$BUILD/src/app/tellwick"
MINIMAL="$BUILD/bench/bench_minimal_window"
WAIT_MAPPED="$BUILD/bench/bench_wait_mapped"
for program in "$TELLWICK" "$MINIMAL" "$WAIT_MAPPED"; do
    [ -x "$program" ] || { echo "missing $program: build with -DTELLWICK_BUILD_BENCH=ON" >&2; exit 2; }
done

. "$PWD/tests/e2e/session.sh"
start_session

# Nanoseconds of CPU that a process has used, in user and system mode, ended threads included.
cpu_ns() {
    ticks=$(sed 's/.*) //' /proc/"$1"/stat | awk '{ print $12 + $13 }')
    echo $((ticks * 1000000000 / $(getconf CLK_TCK)))
}

stop() {
    kill "$1"
    for _ in $(seq 200); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.05
    done
    kill -9 "$1"
}

# Prints "milliseconds-to-mapped RssAnon-kB-after-5s" for one start of a program.
measure() {
    set -- $("$WAIT_MAPPED" "$1")
    sleep 5
    rss=$(awk '/^RssAnon:/ { print $2 }' /proc/"$1"/status)
    stop "$1"
    echo "$2 $rss"
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

: >"$SESSION_DIR/tellwick.runs"
: >"$SESSION_DIR/minimal.runs"
# The first round only warms the caches; the programs take turns so drift hits both alike.
for round in $(seq 0 "$RUNS"); do
    t=$(measure "$TELLWICK")
    m=$(measure "$MINIMAL")
    [ "$round" -eq 0 ] && continue
    echo "$t" >>"$SESSION_DIR/tellwick.runs"
    echo "$m" >>"$SESSION_DIR/minimal.runs"
done

# Both idle side by side over the same minute.
set -- $("$WAIT_MAPPED" "$TELLWICK")
tellwick_pid=$1
set -- $("$WAIT_MAPPED" "$MINIMAL")
minimal_pid=$1
sleep 5
t0=$(cpu_ns "$tellwick_pid")
m0=$(cpu_ns "$minimal_pid")
sleep "$IDLE_SECONDS"
t1=$(cpu_ns "$tellwick_pid")
m1=$(cpu_ns "$minimal_pid")
stop "$tellwick_pid"
stop "$minimal_pid"

awk -v runs="$RUNS" -v idle="$IDLE_SECONDS" \
    -v tms="$(cut -d' ' -f1 "$SESSION_DIR/tellwick.runs" | median)" \
    -v mms="$(cut -d' ' -f1 "$SESSION_DIR/minimal.runs" | median)" \
    -v trss="$(cut -d' ' -f2 "$SESSION_DIR/tellwick.runs" | median)" \
    -v mrss="$(cut -d' ' -f2 "$SESSION_DIR/minimal.runs" | median)" \
    -v tcpu="$((t1 - t0))" -v mcpu="$((m1 - m0))" 'BEGIN {
    printf "start to window mapped (median of %d): tellwick %.1f ms, minimal %.1f ms; ratio %.2f\n", runs, tms, mms, tms / mms
    printf "RssAnon 5 s after start (median of %d): tellwick %d kB, minimal %d kB; ratio %.2f\n", runs, trss, mrss, trss / mrss
    printf "idle CPU over %d s: tellwick %.3f %%, minimal %.3f %% of one core\n", idle, tcpu / (idle * 1e7), mcpu / (idle * 1e7)
}'
