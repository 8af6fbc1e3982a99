#!/bin/sh
# A computer name that the name server never answers does not hold up the window: the Send
# Message dialog closes at once, a message to this computer is shown meanwhile, the failed name
# is told once, and the program ends at once even while a look-up still waits.
# Runs in private network and mount namespaces whose only name server never answers.
if [ -z "${TELLWICK_DEAD_NAME_SERVER:-}" ]; then
    status=0
    if unshare -m true 2>/dev/null; then
        TELLWICK_DEAD_NAME_SERVER=1 sh "$(dirname "$0")/isolated_network.sh" unshare -m sh "$0" || status=$?
    else
        echo "no mount namespaces here"
        status=77
    fi
    # Under CI a test that cannot run fails.
    [ "$status" -eq 77 ] && [ "${CI:-}" = true ] && status=1
    exit "$status"
fi
. "$(dirname "$0")/session.sh"
start_session
# 10.213.0.53 is on the namespace's own link, where nobody answers.
printf 'nameserver 10.213.0.53\noptions timeout:3 attempts:1\n' >"$SESSION_DIR/resolv.conf"
mount --bind "$SESSION_DIR/resolv.conf" /etc/resolv.conf || fail "cannot replace resolv.conf"
mkdir -p "$XDG_CONFIG_HOME/Orvosoft"
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick]\n"TimerMailWait"=dword:000000c8\n' \
    >"$XDG_CONFIG_HOME/Orvosoft/Tellwick.reg"

ms_since() {
    echo $(( ($(date +%s%N) - $1) / 1000000 ))
}

dialog_window() {
    DIALOG=$(xdotool search --all --pid "$TELLWICK_PID" --name '^Send Message$' | head -1)
    [ -n "$DIALOG" ]
}

dialog_gone() {
    ! xwininfo -id "$DIALOG" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# Sends a message to a computer through the Send Message dialog; it must close within a second.
send_with_dialog() {
    xdotool windowactivate --sync "$MAIN_WINDOW" key --clearmodifiers ctrl+s
    wait_for "the Send Message dialog" dialog_window
    xdotool windowactivate --sync "$DIALOG" type "$1"
    xdotool key Tab Tab
    xdotool type "$2"
    started=$(date +%s%N)
    xdotool key Return
    wait_for "the dialog to close" dialog_gone
    elapsed=$(ms_since "$started")
    [ "$elapsed" -lt 1000 ] || fail "the dialog took $elapsed ms to close"
}

told() {
    grep -c 'tellwick.mailslot: cannot find computer "slowname"' "$SESSION_DIR/tellwick.log"
}

start_tellwick
send_with_dialog slowname 'to nowhere'
"$TELLWICK_SEND" localhost hello || fail "tellwick-send failed"
logged() {
    grep -q hello Tellwick.log
}
wait_for "hello in Tellwick.log" logged
[ "$(told)" -eq 0 ] || fail "the name was answered before the window went on"
told_once() {
    [ "$(told)" -eq 1 ]
}
wait_for "the unknown name to be told" told_once

send_with_dialog slowname 'to nowhere again'
started=$(date +%s%N)
kill -TERM "$TELLWICK_PID"
ended() {
    ! kill -0 "$TELLWICK_PID" 2>/dev/null
}
wait_for "the program to end" ended
elapsed=$(ms_since "$started")
[ "$elapsed" -lt 2000 ] || fail "ending took $elapsed ms while a name was being looked up"
[ "$(told)" -eq 1 ] || fail "the unknown name was told $(told) times"
