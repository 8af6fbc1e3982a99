#!/bin/sh
# Tellwick over NetBIOS datagrams between two computers, hosta and hostb, each in network, mount
# and host-name namespaces of its own, joined by a veth pair. The copies use the real ports 137
# and 138, which root may bind in its own namespaces. Checked, in this order:
#   - a copy that may not bind port 138, with no nmbd to receive through, says it has no inbox;
#   - hostb sends to hosta by its bare name, hosta to every computer ("*"), and a ping to every
#     computer is answered by hostb's copy; what went over the wire dissects as mailslot writes
#     to \MAILSLOT\ORVONET;
#   - with Samba's nmbd holding ports 137 and 138 on hosta, hosta's copy receives through nmbd,
#     and hostb finds HOSTA through nmbd's answer.
set -u
E2E_DIR=$(cd "$(dirname "$0")" && pwd)

if [ -z "${TELLWICK_NETBIOS_HOST:-}" ]; then
    status=0
    if [ "$(id -u)" -ne 0 ] || ! unshare -n -m -u true 2>/dev/null; then
        echo "no network, mount and host-name namespaces here"
        status=77
    else
        for tool in ip nsenter setpriv ss nmbd nmblookup dumpcap tshark hostname od; do
            command -v "$tool" >/dev/null 2>&1 || { echo "no $tool here (scripts/install-deps.sh --test installs it)"; status=77; }
        done
    fi
    if [ "$status" -eq 0 ]; then
        TELLWICK_NETBIOS_HOST=a unshare -n -m -u sh "$0" || status=$?
    fi
    # Under CI a test that cannot run fails.
    [ "$status" -eq 77 ] && [ "${CI:-}" = true ] && status=1
    exit "$status"
fi

hostname hosta || { echo "FAIL: cannot name this host" >&2; exit 1; }
. "$E2E_DIR/session.sh"
start_session
# Every copy here uses NetBIOS's own ports.
unset TELLWICK_MAILSLOT_PORT
HOST_B_DIR=$SESSION_DIR/hostb
NMBD_DIR=$SESSION_DIR/nmbd
CAPTURE=$SESSION_DIR/netbios.pcapng
show_logs() {
    for log in "$HOST_B_DIR/tellwick.log" "$NMBD_DIR/nmbd.log" "$SESSION_DIR/dumpcap.log"; do
        [ -s "$log" ] && sed "s|^|${log#"$SESSION_DIR"/}: |" "$log" >&2
    done
    return 0
}
trap 'status=$?; [ "$status" -ne 0 ] && show_logs; end_session "$status"; exit "$status"' EXIT

# hostb: namespaces held by a process that only waits; everything in them is run with on_b.
unshare -n -m -u sleep infinity &
HOST_B=$!
SESSION_PIDS="$SESSION_PIDS $HOST_B"
on_b() {
    nsenter -t "$HOST_B" -n -m -u "$@"
}
namespaces_of_b() {
    [ "$(readlink "/proc/$HOST_B/ns/net")" != "$(readlink /proc/$$/ns/net)" ]
}
wait_for "hostb's namespaces" namespaces_of_b
# The subnet broadcast address ("brd +") is where writes to "*" go. Each host gets an empty
# /run/samba, so that no nmbd of this machine is found at the default socket path.
mkdir -p /run/samba
ip link set lo up && ip link add twa type veth peer name twb && ip link set twb netns "$HOST_B" &&
    ip addr add 10.214.0.1/24 brd + dev twa && ip link set twa up &&
    mount -t tmpfs tmpfs /run/samba &&
    on_b sh -c 'hostname hostb && ip link set lo up && ip addr add 10.214.0.2/24 brd + dev twb &&
        ip link set twb up && mount -t tmpfs tmpfs /run/samba' ||
    fail "the network could not be set up"

# A copy that may not bind ports below 1024 has no inbox: it tells why on standard error. The
# same restriction must really keep a program from port 138, or this proves nothing.
# (setpriv is run directly, so that the copy is the process started in the background.)
WITHOUT_LOW_PORTS="--bounding-set=-net_bind_service --inh-caps=-net_bind_service"
if setpriv $WITHOUT_LOW_PORTS "$PYTHON" -c \
    'import socket; socket.socket(socket.AF_INET, socket.SOCK_DGRAM).bind(("", 138))' 2>/dev/null; then
    fail "setpriv leaves port 138 to a program"
fi
setpriv $WITHOUT_LOW_PORTS env TELLWICK_TRANSPORT=netbios "$TELLWICK" >/dev/null 2>>"$SESSION_DIR/tellwick.log" &
TELLWICK_PID=$!
SESSION_PIDS="$SESSION_PIDS $TELLWICK_PID"
wait_for "the main window of the copy without port 138" main_window
wait_for '"Unable to create mailslot" on standard error' grep -q "Unable to create mailslot" "$SESSION_DIR/tellwick.log"
screenshot netbios-no-port
ended "$TELLWICK_PID" && fail "the copy without an inbox ended"
stop_tellwick() {
    kill "$TELLWICK_PID"
    wait "$TELLWICK_PID" || true
}
stop_tellwick

# Everything on the link from here on is kept and dissected at the end.
dumpcap -q -i twa -w "$CAPTURE" 2>"$SESSION_DIR/dumpcap.log" &
DUMPCAP=$!
SESSION_PIDS="$SESSION_PIDS $DUMPCAP"
wait_for "the capture to start" grep -q "Capturing on" "$SESSION_DIR/dumpcap.log"

# hostb's copy takes the transport from its store, hosta's and tellwick-send from the
# environment.
export TELLWICK_TRANSPORT=netbios
mkdir -p "$HOST_B_DIR/config/Orvosoft" "$HOST_B_DIR/runtime" "$HOST_B_DIR/work"
chmod 700 "$HOST_B_DIR/runtime"
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick]\n"Transport"="netbios"\n' \
    >"$HOST_B_DIR/config/Orvosoft/Tellwick.reg"
# nsenter itself, not on_b: the process started is the copy, to be ended with the session.
nsenter -t "$HOST_B" -n -m -u env -C "$HOST_B_DIR/work" -u TELLWICK_TRANSPORT -u DISPLAY -u WAYLAND_DISPLAY \
    -u DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$HOST_B_DIR/config" \
    XDG_RUNTIME_DIR="$HOST_B_DIR/runtime" HOME="$HOST_B_DIR" "$TELLWICK" >"$HOST_B_DIR/tellwick.log" 2>&1 &
SESSION_PIDS="$SESSION_PIDS $!"
start_tellwick
# Both copies receive on port 138 and answer for their names on port 137. "$@" runs ss on the
# copy's host.
holds_ports() {
    for port in 137 138; do
        "$@" ss -Hlunp "sport = :$port" | grep -q '"tellwick"' || return 1
    done
}
wait_for "hosta's copy on ports 137 and 138" holds_ports
wait_for "hostb's copy on ports 137 and 138" holds_ports on_b

# hosta is found by its name, as typed: hostb knows no other way to it.
on_b "$TELLWICK_SEND" hosta "to hosta by name" || fail "tellwick-send from hostb to hosta failed"
wait_for "hosta to show hostb's message" logged "to hosta by name"
# A message to every computer goes to the workgroup's group name, where hostb's copy takes it.
"$TELLWICK_SEND" "*" "to everyone" || fail "tellwick-send to every computer failed"
received_b() {
    tr -d '\r' <"$HOST_B_DIR/work/Tellwick.log" | grep -Eq " $1\$"
}
wait_for "hostb to show the message to every computer" received_b "to everyone"
# A ping to every computer, as Windows sends it (tellwick-send would take "<PING>" for a colour
# tag): hostb's copy answers with its name, to every computer, and hosta shows it.
ping=$("$PYTHON" "$E2E_DIR/../platform/netbios/netbios_peer.py" windows | grep "$(printf '<PING>' | od -An -tx1 | tr -d ' \n')")
"$PYTHON" -c 'import socket, sys
out = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
out.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
out.sendto(bytes.fromhex(sys.argv[1]), ("10.214.0.255", 138))' "$ping" || fail "the ping could not be sent"
wait_for "hosta to show hostb's answer to the ping" logged "(hostb|HOSTB)"
screenshot netbios-received

# Samba's nmbd takes ports 137 and 138 on hosta, as HOSTA; hosta's copy, started after it,
# receives what nmbd passes on through its socket for unexpected packets, at the default path.
stop_tellwick
mkdir -p "$NMBD_DIR"
cat >"$NMBD_DIR/smb.conf" <<EOF
[global]
netbios name = HOSTA
workgroup = WORKGROUP
interfaces = twa
bind interfaces only = no
disable netbios = no
lock directory = $NMBD_DIR/lock
state directory = $NMBD_DIR/state
cache directory = $NMBD_DIR/cache
pid directory = $NMBD_DIR/pid
private dir = $NMBD_DIR/private
log file = $NMBD_DIR/nmbd.log
nmbd:socket dir = /run/samba/nmbd
EOF
nmbd --foreground --no-process-group -s "$NMBD_DIR/smb.conf" >>"$NMBD_DIR/nmbd.log" 2>&1 &
SESSION_PIDS="$SESSION_PIDS $!"
# nmbd answers for its name only once it has claimed it on the network (some 5 s).
nmbd_answers() {
    nmblookup -s "$NMBD_DIR/smb.conf" HOSTA | grep -q '^10\.214\.0\.1 HOSTA<00>'
}
wait_for "nmbd to answer for HOSTA" nmbd_answers
start_tellwick
on_b "$TELLWICK_SEND" HOSTA "to hosta through nmbd" || fail "tellwick-send from hostb to HOSTA failed"
wait_for "hosta to show hostb's message through nmbd" logged "to hosta through nmbd"
holds_ports && fail "hosta's copy took a port from nmbd"

# What went over the link is what Windows sends: NetBIOS datagrams (16 unique, 17 group) holding
# SMB mailslot writes (opcode 1) to \MAILSLOT\ORVONET, with the text and its closing NUL as data.
kill -INT "$DUMPCAP"
wait "$DUMPCAP" || true
tshark -r "$CAPTURE" -Y 'nbdgm && smb && mailslot.name == "\\MAILSLOT\\ORVONET"' -T fields \
    -E separator=' ' -e ip.src -e ip.dst -e nbdgm.type -e nbdgm.destination_name \
    -e mailslot.opcode -e data.data >"$SESSION_DIR/writes" 2>/dev/null ||
    fail "tshark cannot read the capture"
written() {
    data=$(printf '%s' "$2" | od -An -tx1 -v | tr -d ' \n')00
    grep -qx "$1 1 $data" "$SESSION_DIR/writes" ||
        fail "no mailslot write \"$1\" of \"$2\" ($data) in the capture, which holds: $(cat "$SESSION_DIR/writes")"
}
written "10.214.0.2 10.214.0.1 16 HOSTA<00>" "to hosta by name"
written "10.214.0.1 10.214.0.255 17 WORKGROUP<00>" "to everyone"
written "10.214.0.2 10.214.0.1 16 HOSTA<00>" "to hosta through nmbd"
