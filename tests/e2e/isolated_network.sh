#!/bin/sh
# Runs a command in a private network namespace with loopback and one veth pair, so that
# broadcasts stay on this machine. Exits 77 (skipped) where namespaces cannot be made.
set -u
if ! unshare -n true 2>/dev/null; then
    echo "no network namespaces here: skipped"
    exit 77
fi
exec unshare -n sh -c '
    ip link set lo up &&
    ip link add tw0 type veth peer name tw1 &&
    ip addr add 10.213.0.1/24 brd + dev tw0 &&
    ip link set tw0 up && ip link set tw1 up || exit 77
    TELLWICK_ISOLATED_NETWORK=1 exec "$@"' sh "$@"
