#!/bin/sh
# Two computers, hosta and hostb, each in network, mount and host-name namespaces of its own
# with a private system bus and Avahi daemon, joined by a veth pair. Each runs Tellwick, on
# ports of their own. hosta's find dialog lists both copies first and marked, then a plain
# workstation; the picked hostb reaches hostb's copy on the port it announces, through the
# dialog and through tellwick-send. A name taken on the network makes hosta announce the
# daemon's alternative name, and hostb's copy is withdrawn when it ends.
set -u
E2E_DIR=$(cd "$(dirname "$0")" && pwd)

# Starts a private system bus and an Avahi daemon for this host on interface $2, in folder $3.
start_avahi() {
    host=$1 interface=$2 dir=$3
    mkdir -p "$dir" /run/avahi-daemon
    mount -t tmpfs tmpfs /run/avahi-daemon || { echo "FAIL: cannot mount /run/avahi-daemon" >&2; exit 1; }
    cat >"$dir/bus.conf" <<EOF
<busconfig>
  <type>system</type>
  <listen>unix:path=$dir/system_bus_socket</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
    <allow user="*"/>
  </policy>
</busconfig>
EOF
    cat >"$dir/avahi.conf" <<EOF
[server]
host-name=$host
domain-name=local
use-ipv4=yes
use-ipv6=no
allow-interfaces=$interface
enable-dbus=yes
ratelimit-interval-usec=1000000
ratelimit-burst=1000
[wide-area]
enable-wide-area=no
[publish]
publish-workstation=no
publish-hinfo=no
publish-addresses=yes
EOF
    dbus-daemon --config-file="$dir/bus.conf" --nofork >"$dir/bus.log" 2>&1 &
    echo $! >>"$dir/pids"
    export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$dir/system_bus_socket"
    for _ in $(seq 200); do [ -S "$dir/system_bus_socket" ] && break; sleep 0.05; done
    avahi-daemon --no-chroot --no-drop-root --no-rlimits -f "$dir/avahi.conf" >"$dir/avahi.log" 2>&1 &
    echo $! >>"$dir/pids"
    for _ in $(seq 200); do avahi-browse -at >/dev/null 2>&1 && return 0; sleep 0.05; done
    echo "FAIL: the Avahi daemon of $host did not start" >&2
    cat "$dir/avahi.log" >&2
    exit 1
}

# hostb: its network end arrives from hosta; it runs Tellwick without a display, and holds the
# name "hosta" for the Tellwick service until hosta has seen the collision.
host_b() {
    dir=$SHARED/hostb
    mkdir -p "$dir/config" "$dir/runtime" "$dir/work"
    chmod 700 "$dir/runtime"
    trap 'for pid in $(cat "$dir/pids" 2>/dev/null); do kill "$pid" 2>/dev/null; done' EXIT
    trap 'exit 0' TERM
    hostname hostb
    touch "$SHARED/hostb-started"
    for _ in $(seq 400); do ip link show twb >/dev/null 2>&1 && break; sleep 0.05; done
    ip link set lo up && ip addr add 10.214.0.2/24 dev twb && ip link set twb multicast on up ||
        { echo "FAIL: hostb's network could not be set up" >&2; exit 1; }
    start_avahi hostb twb "$dir"
    avahi-publish -s hosta _tellwick._udp 1 >"$dir/squatter.log" 2>&1 &
    squatter=$!
    echo $squatter >>"$dir/pids"
    # A computer that announces itself without running Tellwick.
    avahi-publish -s "deskc [00:11:22:33:44:55]" _workstation._tcp 9 >/dev/null 2>&1 &
    echo $! >>"$dir/pids"
    (cd "$dir/work" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS \
        QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$dir/config" XDG_RUNTIME_DIR="$dir/runtime" \
        HOME="$dir" TELLWICK_MAILSLOT_PORT="$PORT_B" "$TELLWICK" >"$dir/tellwick.log" 2>&1) &
    tellwick=$!
    echo $tellwick >>"$dir/pids"
    touch "$SHARED/hostb-ready"
    for _ in $(seq 1200); do [ -e "$SHARED/collision-seen" ] && break; sleep 0.05; done
    kill "$squatter"
    for _ in $(seq 1200); do [ -e "$SHARED/end-hostb" ] && break; sleep 0.05; done
    kill "$tellwick"
    wait "$tellwick"
    touch "$SHARED/hostb-ended"
    # The network lives as long as this host: it stays until the test ends it.
    while :; do sleep 0.05; done
}

case ${TELLWICK_DISCOVERY_HOST:-} in
"")
    status=0
    if [ "$(id -u)" -ne 0 ] || ! unshare -n -m -u true 2>/dev/null; then
        echo "no network, mount and host-name namespaces here"
        status=77
    else
        for tool in ip avahi-daemon avahi-publish avahi-browse dbus-daemon hostname; do
            command -v "$tool" >/dev/null 2>&1 || { echo "no $tool here (scripts/install-deps.sh --test installs it)"; status=77; }
        done
    fi
    if [ "$status" -eq 0 ]; then
        TELLWICK_DISCOVERY_HOST=a unshare -n -m -u sh "$0" || status=$?
    fi
    # Under CI a test that cannot run fails.
    [ "$status" -eq 77 ] && [ "${CI:-}" = true ] && status=1
    exit "$status"
    ;;
b)
    host_b
    exit 0
    ;;
esac

hostname hosta || { echo "FAIL: cannot name this host" >&2; exit 1; }
. "$E2E_DIR/session.sh"
start_session
SHARED="$SESSION_DIR/hosts"
mkdir -p "$SHARED"
PORT_A=$TELLWICK_MAILSLOT_PORT
PORT_B=$(free_udp_port)
[ "$PORT_B" != "$PORT_A" ] || PORT_B=$((PORT_A + 1))
export SHARED PORT_B
# What the other host and the daemons said, where a failure shows it.
show_hosts() {
    for log in "$SESSION_DIR/hostb.log" "$SHARED"/*/*.log; do
        [ -s "$log" ] && sed "s|^|${log#$SHARED/}: |" "$log" >&2
    done
    return 0
}
trap 'status=$?; [ "$status" -ne 0 ] && show_hosts; end_session "$status"; exit "$status"' EXIT

ip link set lo up && ip link add twa type veth peer name twb &&
    ip addr add 10.214.0.1/24 dev twa && ip link set twa multicast on up ||
    fail "hosta's network could not be set up"
TELLWICK_DISCOVERY_HOST=b unshare -n -m -u sh "$E2E_DIR/Discovery.sh" >"$SESSION_DIR/hostb.log" 2>&1 &
HOST_B=$!
SESSION_PIDS="$SESSION_PIDS $HOST_B"
wait_for "hostb's namespaces" test -e "$SHARED/hostb-started"
ip link set twb netns "$HOST_B" || fail "cannot hand hostb its network end"
start_avahi hosta twa "$SHARED/hosta"
for pid in $(cat "$SHARED/hosta/pids"); do SESSION_PIDS="$pid $SESSION_PIDS"; done

# The network works before Tellwick is put in: hosta sees hostb's announcements.
browse() {
    avahi-browse -rpt "$1" 2>/dev/null | grep '^='
}
wait_for "hostb" test -e "$SHARED/hostb-ready"
seen_workstation() {
    browse _workstation._tcp | grep -q 'deskc'
}
wait_for "hostb's workstation announcement" seen_workstation

# hostb's copy, on its own port.
copy_b() {
    browse _tellwick._udp | grep -q "^=;[^;]*;IPv4;hostb;_tellwick._udp;local;hostb.local;10.214.0.2;$PORT_B;"
}
wait_for "hostb's copy to be announced" copy_b

# hosta's copy finds its name taken by hostb's squatter and takes the daemon's alternative.
start_tellwick
# avahi-browse writes "hosta #2" with its blank and hash as decimal escapes.
copy_a() {
    browse _tellwick._udp | grep -qF "IPv4;hosta\\032\\0352;_tellwick._udp;local;hosta.local;10.214.0.1;$PORT_A;"
}
wait_for "hosta's copy to be announced under the alternative name" copy_a
touch "$SHARED/collision-seen"
squatter_gone() {
    ! browse _tellwick._udp | grep -q ';1;'
}
wait_for "the squatter to go" squatter_gone

# The find dialog: both copies first, marked, hostb's with its port; then the workstation.
type_keys ctrl+s
send_dialog() {
    DIALOG=$(xdotool search --all --pid "$TELLWICK_PID" --name '^Send Message$' | head -1)
    [ -n "$DIALOG" ]
}
wait_for "the Send Message dialog" send_dialog
xdotool windowactivate --sync "$DIALOG" key Tab space
find_dialog() {
    FIND=$(xdotool search --all --pid "$TELLWICK_PID" --name '^Find computer$' | head -1)
    [ -n "$FIND" ]
}
wait_for "the find dialog" find_dialog
listed() {
    atspi items list "Computers found on the network:" >"$SESSION_DIR/listed"
    [ "$(grep -vc '^$' "$SESSION_DIR/listed")" -ge 3 ]
}
wait_for "three computers in the list" listed
expected=$(printf 'hosta.local\tRuns Tellwick\nhostb.local:%s\tRuns Tellwick\ndeskc.local\t' "$PORT_B")
[ "$(grep -v '^$' "$SESSION_DIR/listed")" = "$expected" ] ||
    fail "the list holds: $(cat "$SESSION_DIR/listed")"

# Taking hostb from the list (second item) puts its name, with the port, into the Send Message
# dialog.
atspi states list "Computers found on the network:" | grep -qw focused || fail "the list does not have the focus"
xdotool windowactivate --sync "$FIND" key Home Down
picked() {
    atspi states "list item" "hostb.local:$PORT_B" | grep -qw selected
}
wait_for "hostb to be picked" picked
screenshot find-dialog-copies
xdotool key Return
find_gone() {
    ! is_viewable "$FIND"
}
wait_for "the find dialog to close" find_gone
atspi set text "Message:" "by the list"
atspi do "push button" OK
received_b() {
    tr -d '\r' <"$SHARED/hostb/work/Tellwick.log" | grep -Eq " $1\$"
}
wait_for "hostb to receive the message sent through the dialog" received_b "by the list"

# tellwick-send takes the name as the dialog gave it.
"$TELLWICK_SEND" "hostb.local:$PORT_B" "by tellwick-send" || fail "tellwick-send failed"
wait_for "hostb to receive the message from tellwick-send" received_b "by tellwick-send"

# A copy that ends withdraws its announcement.
touch "$SHARED/end-hostb"
wait_for "hostb's copy to end" test -e "$SHARED/hostb-ended"
copy_b_gone() {
    ! copy_b
}
wait_for "hostb's announcement to be withdrawn" copy_b_gone
