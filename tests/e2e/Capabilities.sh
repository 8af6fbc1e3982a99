#!/bin/sh
# A copy of Tellwick given CAP_NET_BIND_SERVICE, as the package gives /usr/bin/tellwick, started
# over NetBIOS by an ordinary user (tellwick-e2e, made with useradd when missing) in a network
# namespace of its own. The capability must have served to bind ports 137 and 138, and once the
# window is up no thread of the copy holds any capability, while its inbox still receives.
set -u
E2E_DIR=$(cd "$(dirname "$0")" && pwd)

OWN_NETWORK_TOOLS="ip setcap useradd setpriv ss"
. "$E2E_DIR/own_network.sh"

ip link set lo up || { echo "FAIL: no loopback in the namespace" >&2; exit 1; }
. "$E2E_DIR/session.sh"
start_session
unset TELLWICK_MAILSLOT_PORT
USER_NAME=tellwick-e2e
id -u "$USER_NAME" >/dev/null 2>&1 ||
    useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$USER_NAME" ||
    fail "cannot make the user $USER_NAME"

# The copy and the user's folders lie where that user can reach them; the file system must
# keep file capabilities, or this proves nothing.
chmod 755 "$SESSION_DIR"
USER_DIR=$SESSION_DIR/user
mkdir -p "$SESSION_DIR/capable" "$USER_DIR/config" "$USER_DIR/runtime" "$USER_DIR/work"
cp "$TELLWICK" "$SESSION_DIR/capable/tellwick"
setcap cap_net_bind_service=+ep "$SESSION_DIR/capable/tellwick" || fail "setcap failed"
getcap "$SESSION_DIR/capable/tellwick" | grep -q cap_net_bind_service || fail "the copy kept no capability"
chown -R "$USER_NAME:" "$USER_DIR"
chmod 700 "$USER_DIR/runtime"

# The user has no way into this session's bus; the X display takes any local client.
setpriv --reuid="$USER_NAME" --regid="$USER_NAME" --clear-groups \
    env -C "$USER_DIR/work" -u DBUS_SESSION_BUS_ADDRESS -u QT_LINUX_ACCESSIBILITY_ALWAYS_ON \
    HOME="$USER_DIR" XDG_CONFIG_HOME="$USER_DIR/config" XDG_RUNTIME_DIR="$USER_DIR/runtime" \
    TELLWICK_TRANSPORT=netbios "$SESSION_DIR/capable/tellwick" >>"$SESSION_DIR/tellwick.log" 2>&1 &
TELLWICK_PID=$!
SESSION_PIDS="$SESSION_PIDS $TELLWICK_PID"
wait_for "the main window of the capable copy" main_window
[ "$(stat -c %U "/proc/$TELLWICK_PID")" = "$USER_NAME" ] || fail "the copy does not run as $USER_NAME"
holds_ports() {
    for port in 137 138; do
        ss -Hlunp "sport = :$port" | grep -q "pid=$TELLWICK_PID," || return 1
    done
}
wait_for "the copy on ports 137 and 138" holds_ports

TELLWICK_TRANSPORT=netbios "$TELLWICK_SEND" 127.0.0.1 "past the capability" || fail "tellwick-send failed"
received() {
    tr -d '\r' <"$USER_DIR/work/Tellwick.log" | grep -q ' past the capability$'
}
wait_for "the copy to show the message" received
screenshot capabilities-received

# Every thread, the window's and the inbox's among them: no capability held, none to hand on.
for task_status in /proc/"$TELLWICK_PID"/task/*/status; do
    held=$(awk '/^Cap(Inh|Prm|Eff|Amb):/ && $2 !~ /^0+$/ { printf " %s %s", $1, $2 }' "$task_status")
    thread=${task_status%/status}
    [ -z "$held" ] || fail "thread ${thread##*/} of the copy still holds$held"
done
