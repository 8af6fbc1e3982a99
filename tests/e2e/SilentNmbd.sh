#!/bin/sh
# An nmbd that takes Tellwick's question and never answers holds up nothing: the window comes
# up, the trouble is told once on standard error however often nmbd is asked again, and SIGTERM
# ends the program while it waits for an nmbd that answered once, hung up and went silent.
# Runs in a private network namespace, where a stand-in holds the datagram port as nmbd would.
if [ -z "${TELLWICK_ISOLATED_NETWORK:-}" ]; then
    status=0
    sh "$(dirname "$0")/isolated_network.sh" sh "$0" || status=$?
    # Under CI a test that cannot run fails.
    [ "$status" -eq 77 ] && [ "${CI:-}" = true ] && status=1
    exit "$status"
fi
. "$(dirname "$0")/session.sh"
start_session
export TELLWICK_TRANSPORT=netbios TELLWICK_NMBD_SOCKET="$SESSION_DIR/unexpected"
background "$PYTHON" -c 'import socket, sys, time
held = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
held.bind(("", int(sys.argv[1])))
print("ready", flush=True)
time.sleep(1e6)' "$TELLWICK_MAILSLOT_PORT" >"$SESSION_DIR/port-holder"
wait_for "the datagram port to be held" grep -q ready "$SESSION_DIR/port-holder"

# A hang detector, not a timer: what it waits for comes after seconds of nmbd's time-outs.
wait_long() {
    wait_tries 1200 "$@"
}

# start_nmbd MODE: a fake nmbd of that kind, as NMBD.
start_nmbd() {
    rm -f "$TELLWICK_NMBD_SOCKET"
    "$PYTHON" "$E2E_DIR/fake_nmbd.py" "$TELLWICK_NMBD_SOCKET" "$1" >"$SESSION_DIR/nmbd" &
    NMBD=$!
    SESSION_PIDS="$SESSION_PIDS $NMBD"
    wait_for "the fake nmbd" grep -q ready "$SESSION_DIR/nmbd"
}
connections() {
    [ "$(grep -c '^connection' "$SESSION_DIR/nmbd")" -ge "$1" ]
}
told() {
    grep -c "cannot receive through Samba's nmbd\|lost Samba's nmbd" "$SESSION_DIR/tellwick.log"
}
stop_tellwick() {
    kill -TERM "$TELLWICK_PID"
    wait_long "the program to end on SIGTERM" ended "$TELLWICK_PID"
}

# nmbd silent from the first question: the window comes up, and after two more questions in
# vain the trouble has still been told only once.
start_nmbd silent
start_tellwick
wait_for "the question to nmbd" connections 1
wait_long "nmbd to be asked twice more" connections 3
[ "$(told)" -eq 1 ] || fail "the silent nmbd was told $(told) times"
grep -q "cannot receive through Samba's nmbd at $TELLWICK_NMBD_SOCKET - no answer within" \
    "$SESSION_DIR/tellwick.log" || fail "the silent nmbd was not told"
stop_tellwick

# nmbd answers, hangs up, then goes silent: the relay, asking again, still ends with the program.
kill "$NMBD"
: >"$SESSION_DIR/tellwick.log"
start_nmbd once
start_tellwick
wait_for "the loss of nmbd to be told" grep -q "lost Samba's nmbd" "$SESSION_DIR/tellwick.log"
wait_long "nmbd to be asked again" connections 2
stop_tellwick
[ "$(told)" -eq 1 ] || fail "the lost nmbd was told $(told) times"
