#!/bin/sh
# On a desktop without a tray a message also raises a desktop notification: plain text, one
# notification replaced rather than a pile, and a click on it brings the window back. Then the
# same through a real notification daemon (dunst), for the screenshot.
. "$(dirname "$0")/session.sh"
need_python_module dbus
need_python_module gi
need_tools gdbus dunst
start_session
[ "$DESKTOP" = notray ] || fail "this test needs the desktop without a tray"
# A message is to be told, not to bring the window forward.
mkdir -p "$XDG_CONFIG_HOME/Orvosoft"
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick]\n"MakeVisible"=dword:00000000\n' \
    >"$XDG_CONFIG_HOME/Orvosoft/Tellwick.reg"

start_tellwick

# Another window to take the focus away, as the user's other programs do.
xmessage -name other -geometry 300x100+600+500 "another program" &
SESSION_PIDS="$SESSION_PIDS $!"
other_window() {
    OTHER_WINDOW=$(xdotool search --onlyvisible --class Xmessage | head -1)
    [ -n "$OTHER_WINDOW" ]
}
wait_for "another window" other_window
active() {
    [ "$(xdotool getactivewindow)" = "$1" ]
}
look_away() {
    xdotool windowactivate "$OTHER_WINDOW"
    wait_for "the other window to be active" active "$OTHER_WINDOW"
}

minimised() {
    xprop -id "$MAIN_WINDOW" WM_STATE | grep -q Iconic
}

minimise() {
    type_keys ctrl+h
    wait_for "the window to be minimised" minimised
}

notifications() {
    grep -c '^Notify' "$NOTIFIED" || true
}

notified() {
    [ "$(notifications)" -ge "$1" ]
}

# Field N (1 = the id) of the last notification shown.
last_notify() {
    grep '^Notify' "$NOTIFIED" | tail -1 | cut -f"$(($1 + 1))"
}

# No notification service yet: the program goes on as before, and says so once.
look_away
"$TELLWICK_SEND" localhost 'nobody to tell' || fail "tellwick-send failed"
wait_for "the message in Tellwick.log" logged 'nobody to tell'
"$TELLWICK_SEND" localhost 'nobody to tell again' || fail "tellwick-send failed"
wait_for "the message in Tellwick.log" logged 'nobody to tell again'
kill -0 "$TELLWICK_PID" || fail "the program ended without a notification service"
told() {
    [ "$(grep -c 'cannot show a desktop notification' "$SESSION_DIR/tellwick.log")" -eq 1 ]
}
wait_for "the missing service to be told once" told

NOTIFIED="$SESSION_DIR/notifications"
background "$PYTHON" "$E2E_DIR/notification_service.py" >"$NOTIFIED"
FAKE_PID=$!
wait_for "the notification service" grep -q ready "$NOTIFIED"
"$TELLWICK_SEND" localhost '<r>red & plain' || fail "tellwick-send failed"
# The urgency hint stays as well.
demands_attention() {
    xprop -id "$MAIN_WINDOW" _NET_WM_STATE | grep -q DEMANDS_ATTENTION
}
wait_for "the urgency hint" demands_attention
wait_for "a notification" notified 1
[ "$(last_notify 2)" = 0 ] || fail "the first notification replaced $(last_notify 2)"
[ "$(last_notify 4)" = Tellwick ] || fail "summary: $(last_notify 4)"
# The colour code is gone, and the service reads markup: the text is escaped for it.
[ "$(last_notify 5)" = 'red &amp; plain' ] || fail "body: $(last_notify 5)"
last_notify 6 | grep -q '^default,' || fail "no default action: $(last_notify 6)"
first=$(last_notify 1)

# A second message while the window stays away replaces the first notification, cut to 200.
long=$(printf 'x%.0s' $(seq 250))
"$TELLWICK_SEND" localhost "$long" || fail "tellwick-send failed"
wait_for "a second notification" notified 2
[ "$(last_notify 2)" = "$first" ] || fail "the second notification did not replace $first: $(last_notify 2)"
[ "$(last_notify 5 | wc -c)" -eq 201 ] || fail "the body was not cut at 200 characters: $(last_notify 5 | wc -c)"

# Coming back to the window takes the notification away; the next one is new.
xdotool windowactivate "$MAIN_WINDOW"
wait_for "the window to be active" active "$MAIN_WINDOW"
wait_for "the notification to be taken away" grep -q "^Close	$first\$" "$NOTIFIED"
look_away
minimise
"$TELLWICK_SEND" localhost 'third' || fail "tellwick-send failed"
wait_for "a third notification" notified 3
[ "$(last_notify 2)" = 0 ] || fail "the notification after a visit replaced $(last_notify 2)"
third=$(last_notify 1)

# A click on it brings the window back (the service closes it as it tells the click).
gdbus call --session --dest org.freedesktop.Notifications --object-path /org/freedesktop/Notifications \
    --method org.tellwick.Test.Click "$third" >/dev/null || fail "the fake service did not click"
wait_for "the window to come back" sh -c "! xprop -id $MAIN_WINDOW WM_STATE | grep -q Iconic"
wait_for "the window to be shown" window_shown
wait_for "the window to be active" active "$MAIN_WINDOW"

# A real daemon shows the next one.
kill "$FAKE_PID"
service_gone() {
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner org.freedesktop.Notifications | grep -q false
}
wait_for "the fake service to go" service_gone
background dunst >"$SESSION_DIR/dunst.log" 2>&1
look_away
"$TELLWICK_SEND" localhost '<l>The build on desk-7 has finished: <g>all 312 tests passed' || fail "tellwick-send failed"
dunst_window() {
    xdotool search --onlyvisible --class Dunst >/dev/null
}
wait_for "dunst's notification" dunst_window
screenshot notification-dunst
