#!/bin/sh
# Runs a command in a private network namespace with loopback and one veth pair, so that
# broadcasts stay on this machine. Exits 77 (skipped) only where no namespace can be made.
set -u
if ! unshare -n true 2>/dev/null; then
    echo "skipped: this machine lets no network namespace be made (unshare -n failed)"
    exit 77
fi
exec unshare -n sh -c '
    ip link set lo up &&
    ip link add tw0 type veth peer name tw1 &&
    ip addr add 10.213.0.1/24 brd + dev tw0 &&
    ip link set tw0 up && ip link set tw1 up || { echo "FAIL: the private network could not be set up"; exit 1; }
    TELLWICK_ISOLATED_NETWORK=1 exec "$@"' sh "$@"
