#!/bin/sh
# A flood of NetBIOS name queries for this computer's name, from one process on loopback,
# against the real program over NetBIOS, in network and host-name namespaces of its own (root
# only: the name port is 137): the longest stall of the program's event loop within the flood
# (its watchdog, TELLWICK_STALL_REPORT), beside the same flood sent to a port nobody holds.
# Usage: bench/name_flood.sh [BUILD_DIR]; BUILD_DIR is a release build with TELLWICK_BUILD_BENCH=ON
# (default build-rel). COUNT (default 2000000) queries, as fast as they go.
set -eu
cd "$(dirname "$0")/.."
BUILD=$(cd "${1:-build-rel}" && pwd)
COUNT=${COUNT:-2000000}
if [ -z "${TELLWICK_NAME_FLOOD_HOST:-}" ]; then
    [ "$(id -u)" -eq 0 ] || { echo "root is needed, for the namespaces" >&2; exit 2; }
    TELLWICK_NAME_FLOOD_HOST=1 exec unshare -n -u sh "$0" "$@"
fi
export TELLWICK="$BUILD/src/app/tellwick"
SEND="$BUILD/bench/bench_flood_send"
for program in "$TELLWICK" "$SEND"; do
    [ -x "$program" ] || { echo "missing $program: build with -DTELLWICK_BUILD_BENCH=ON" >&2; exit 2; }
done
hostname floodhost
ip link set lo up

. "$PWD/tests/e2e/session.sh"
start_session
unset TELLWICK_MAILSLOT_PORT
export TELLWICK_TRANSPORT=netbios TELLWICK_STALL_REPORT="$SESSION_DIR/stalls"
start_tellwick
wait_for "the name port" sh -c 'ss -Hlun "sport = :137" | grep -q .'
sleep 3

now_ms() { date +%s%3N; }

# flood PORT: one flood, one line of figures.
flood() {
    start=$(now_ms)
    sent=$("$SEND" "$1" "$COUNT" 0 FLOODHOST)
    # What the system still holds is answered after the last send.
    sleep 1
    end=$(now_ms)
    stall=$(awk -v from="$start" -v to="$end" '$1 >= from && $1 <= to && $2 > m { m = $2 } END { print m + 0 }' \
        "$SESSION_DIR/stalls" 2>/dev/null || echo 0)
    echo "$COUNT name queries to port $1 (sent in $sent s): longest stall $stall ms"
}

flood 137
flood "$(free_udp_port)"
