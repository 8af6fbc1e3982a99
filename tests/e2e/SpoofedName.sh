#!/bin/sh
# A hostile computer's answer to a name query must not turn a message to one computer into one
# to many. hostb answers NetBIOS name queries for some names with addresses that reach many
# computers or none: tellwick-send refuses each with status 1 and says what it resolves to; the
# Send Message dialog's message to such a name is refused on standard error; and a listener on
# hostb receives nothing of them, only the messages sent to hostb's own address afterwards.
# hosta (this shell) and hostb are network namespaces of their own, joined by a veth pair.
set -u
E2E_DIR=$(cd "$(dirname "$0")" && pwd)

OWN_NETWORK_TOOLS="ip nsenter"
. "$E2E_DIR/own_network.sh"
. "$E2E_DIR/session.sh"
start_session
export TELLWICK_TRANSPORT=netbios
RECEIVED=$SESSION_DIR/hostb-received
trap 'status=$?; [ "$status" -ne 0 ] && sed "s/^/hostb: /" "$RECEIVED" >&2; end_session "$status"; exit "$status"' EXIT

unshare -n sleep infinity &
HOST_B=$!
SESSION_PIDS="$SESSION_PIDS $HOST_B"
namespaces_of_b() {
    [ "$(readlink "/proc/$HOST_B/ns/net")" != "$(readlink /proc/$$/ns/net)" ]
}
wait_for "hostb's namespace" namespaces_of_b
ip link set lo up && ip link add twa type veth peer name twb && ip link set twb netns "$HOST_B" &&
    ip addr add 10.215.0.1/24 brd + dev twa && ip link set twa up &&
    nsenter -t "$HOST_B" -n sh -c 'ip link set lo up && ip addr add 10.215.0.2/24 brd + dev twb &&
        ip link set twb up' ||
    fail "the network could not be set up"

# name, the address hostb gives for it, and what tellwick-send must call that address.
SPOOFED="BCAST 10.215.0.255 a broadcast address
ALLONES 255.255.255.255 a broadcast address
NETWORK 10.215.0.0 a network address
GROUP 224.0.0.1 a multicast address
NOWHERE 0.0.0.0 the unspecified address"
table=$(echo "$SPOOFED" | awk '{ printf "%s=%s ", $1, $2 }')
# shellcheck disable=SC2086 # one argument per name
nsenter -t "$HOST_B" -n "$PYTHON" "$E2E_DIR/name_spoofer.py" "$TELLWICK_MAILSLOT_PORT" $table HOSTB=10.215.0.2 \
    >"$RECEIVED" 2>&1 &
SESSION_PIDS="$SESSION_PIDS $!"
wait_for "hostb's name service" grep -q '^ready$' "$RECEIVED"

while read -r name address kind; do
    status=0
    "$TELLWICK_SEND" "$name" "to $name" 2>"$SESSION_DIR/send.err" || status=$?
    [ "$status" -eq 1 ] || fail "tellwick-send to $name ($address) ended with $status"
    grep -qF "\"$name\" resolves to $kind ($address), not to one computer; the message is not sent" \
        "$SESSION_DIR/send.err" || fail "tellwick-send to $name said: $(cat "$SESSION_DIR/send.err")"
done <<EOF
$SPOOFED
EOF

start_tellwick
type_keys ctrl+s
wait_for "the Send Message dialog" atspi states dialog "Send Message"
atspi set text "Computer:" BCAST
atspi set text "Message:" "to BCAST from the dialog"
atspi do "push button" OK
wait_for "the refusal on standard error" grep -qF \
    'cannot send to "BCAST": it resolves to a broadcast address (10.215.0.255), not to one computer; the message is not sent' \
    "$SESSION_DIR/tellwick.log"

# hostb's own name reaches hostb, and only that: the link keeps the datagrams' order, so what
# the refused sends had let out would have come first.
"$TELLWICK_SEND" HOSTB "to hostb" || fail "tellwick-send to hostb's own name failed"
wait_for "hostb to receive its own message" grep -q '^datagram ' "$RECEIVED"
[ "$(grep -c '^datagram ' "$RECEIVED")" -eq 1 ] || fail "hostb received more than its own message"
grep -q "^datagram 10.215.0.1 .*$(printf 'to hostb' | od -An -tx1 | tr -d ' \n')00" "$RECEIVED" ||
    fail "hostb received something else than its own message"
