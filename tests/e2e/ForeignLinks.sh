#!/bin/sh
# In a working folder that others may write to (0777, no sticky bit), the links another user
# planted are not followed: the victim's files they point at stay as they were, no copy of them
# is left in the folder, and the refusal is told on standard error. The user's own links there
# are still followed. The program runs as an ordinary user added for the test, and a second one
# plants the links. No desktop is needed: the program runs on Qt's offscreen platform.
. "$(dirname "$0")/session.sh"
[ "$(id -u)" -eq 0 ] || missing "root (to add the test's users)"
need_tools useradd userdel setpriv ss od cmp
# Nothing to take a picture of.
E2E_SCREENSHOTS=""

SESSION_DIR=$(mktemp -d)
chmod 755 "$SESSION_DIR"
VICTIM=twvictim$$
PLANTER=twplanter$$
TELLWICK_PID=""
cleanup() {
    [ -z "$TELLWICK_PID" ] || kill "$TELLWICK_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    userdel "$VICTIM" 2>/dev/null || true
    userdel "$PLANTER" 2>/dev/null || true
    rm -rf "$SESSION_DIR"
}
trap cleanup EXIT

VICTIM_HOME=$SESSION_DIR/victim
SHARED=$SESSION_DIR/shared
# Another test may be adding a user at the same moment: the account files are locked meanwhile.
wait_for "the victim's account" useradd -M -d "$VICTIM_HOME" -s /usr/sbin/nologin -U "$VICTIM"
wait_for "the planter's account" useradd -M -d "$SESSION_DIR" -s /usr/sbin/nologin -U "$PLANTER"
mkdir -p "$VICTIM_HOME/config" "$VICTIM_HOME/runtime" "$SHARED"
printf 'alias ll="ls -l"\n' >"$VICTIM_HOME/.bashrc"
printf 'my private notes\n' >"$VICTIM_HOME/notes.txt"
chmod 600 "$VICTIM_HOME/notes.txt"
chown -R "$VICTIM:$VICTIM" "$VICTIM_HOME"
chmod 700 "$VICTIM_HOME" "$VICTIM_HOME/runtime"
chmod 0777 "$SHARED"
cp -p "$VICTIM_HOME/.bashrc" "$SESSION_DIR/bashrc.before"
cp -p "$VICTIM_HOME/notes.txt" "$SESSION_DIR/notes.before"

as_user() {
    user=$1
    shift
    setpriv --reuid="$user" --regid="$user" --init-groups "$@"
}

PORT=$(free_udp_port)
inbox_bound() {
    [ -n "$(ss -Hlun "sport = :$PORT")" ]
}

# The victim's copy, started in the shared folder; its standard error goes to tellwick.log.
start_victims_copy() {
    (cd "$SHARED" && exec setpriv --reuid="$VICTIM" --regid="$VICTIM" --init-groups \
        env -u DISPLAY -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM=offscreen \
        HOME="$VICTIM_HOME" XDG_CONFIG_HOME="$VICTIM_HOME/config" \
        XDG_RUNTIME_DIR="$VICTIM_HOME/runtime" TELLWICK_MAILSLOT_PORT="$PORT" \
        "$TELLWICK" >/dev/null 2>"$SESSION_DIR/tellwick.log") &
    TELLWICK_PID=$!
    wait_for "the victim's inbox" inbox_bound
}

# Ends the copy as the session would (it saves its alerts on the way out).
stop_victims_copy() {
    kill -TERM "$TELLWICK_PID"
    wait "$TELLWICK_PID" || true
    TELLWICK_PID=""
}

told() {
    grep -qF "$1" "$SESSION_DIR/tellwick.log"
}

send() {
    TELLWICK_MAILSLOT_PORT=$PORT "$TELLWICK_SEND" localhost "$1" || fail "tellwick-send failed"
}

REFUSAL="a symbolic link of another user in a shared folder, not followed"

# Another user's links to the victim's files.
as_user "$PLANTER" ln -s "$VICTIM_HOME/.bashrc" "$SHARED/Tellwick.log"
as_user "$PLANTER" ln -s "$VICTIM_HOME/notes.txt" "$SHARED/alerts.twk"
start_victims_copy
send "my password is swordfish"
message_handled() {
    told "tellwick.log: cannot write the log \"Tellwick.log\": $REFUSAL" ||
        ! cmp -s "$VICTIM_HOME/.bashrc" "$SESSION_DIR/bashrc.before"
}
wait_for "the message to be logged or refused" message_handled
stop_victims_copy
cmp -s "$VICTIM_HOME/.bashrc" "$SESSION_DIR/bashrc.before" ||
    fail "the message went into the victim's .bashrc: $(cat "$VICTIM_HOME/.bashrc")"
cmp -s "$VICTIM_HOME/notes.txt" "$SESSION_DIR/notes.before" ||
    fail "the alerts were saved over the victim's notes"
[ "$(stat -c %a "$VICTIM_HOME/notes.txt")" = 600 ] || fail "the victim's notes changed their mode"
[ ! -e "$SHARED/alerts.twk.damaged" ] || fail "a copy of the victim's notes was left in the shared folder"
[ -L "$SHARED/Tellwick.log" ] && [ -L "$SHARED/alerts.twk" ] || fail "the planted links were replaced"
told "tellwick.log: cannot write the log \"Tellwick.log\": $REFUSAL" || fail "the log's refusal was not told"
told "tellwick.alerts: alert file not loaded: $SHARED/alerts.twk: $REFUSAL" ||
    fail "the alert file's refusal at start was not told"
told "tellwick.alerts: alert file not saved: $SHARED/alerts.twk: $REFUSAL" ||
    fail "the alert file's refusal at exit was not told"

# The victim's own links are followed.
rm "$SHARED/Tellwick.log" "$SHARED/alerts.twk"
as_user "$VICTIM" ln -s "$VICTIM_HOME/own.log" "$SHARED/Tellwick.log"
as_user "$VICTIM" ln -s "$VICTIM_HOME/own.twk" "$SHARED/alerts.twk"
start_victims_copy
send hello
logged_in_own_log() {
    tr -d '\r' <"$VICTIM_HOME/own.log" | grep -Eq '^[0-9]{2}/[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} hello$'
}
wait_for "the message in the log the user's own link names" logged_in_own_log
stop_victims_copy
[ "$(od -An -tx1 "$VICTIM_HOME/own.twk" 2>/dev/null | tr -d ' \n')" = 00000000 ] ||
    fail "the alerts were not saved through the user's own link"
[ -L "$SHARED/Tellwick.log" ] && [ -L "$SHARED/alerts.twk" ] || fail "the user's own links were replaced"
! told "symbolic link" || fail "the user's own links were refused"
echo "another user's links refused, the user's own followed"
