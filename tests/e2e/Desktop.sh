#!/bin/sh
# One round on the desktop TELLWICK_DESKTOP names: start, receive a message, Always On Top,
# hide the caption, hide the window, bring it back as this desktop offers, and find it as it
# was; then close, storing "WindowPos". Menu commands are given as a screen reader gives them,
# through the accessibility bus; keys and clicks are typed.
. "$(dirname "$0")/session.sh"
start_session
STORE="$XDG_CONFIG_HOME/Orvosoft/Tellwick.reg"
# What the program asks of the compositor goes to its log, the window's app id among it.
[ "$DESKTOP" != wayland ] || export WAYLAND_DEBUG=client
start_tellwick
screenshot "$DESKTOP-started"

"$TELLWICK_SEND" localhost hello || fail "tellwick-send failed"
wait_for "the stamped line in Tellwick.log" logged hello

checked() {
    atspi states "menu item" "$1" | grep -qw checked
}

unchecked() {
    ! checked "$1"
}

x11() {
    [ "$DESKTOP" != wayland ]
}

# Shells find the window's menu entry, and take its name and icon from there, by its WM_CLASS
# on X11 and its app id on Wayland.
entry=$(basename "$E2E_DIR"/../../src/resources/desktop/*.desktop .desktop)
if x11; then
    xprop -id "$MAIN_WINDOW" WM_CLASS | grep -q "\"$entry\"" ||
        fail "the window's class names no desktop entry $entry: $(xprop -id "$MAIN_WINDOW" WM_CLASS)"
else
    grep -q "set_app_id(\"$entry\")" "$SESSION_DIR/tellwick.log" ||
        fail "the window's app id is not $entry: $(grep set_app_id "$SESSION_DIR/tellwick.log")"
fi

window_states() {
    xprop -id "$MAIN_WINDOW" _NET_WM_STATE
}

above() {
    window_states | grep -q _NET_WM_STATE_ABOVE
}

not_above() {
    ! above
}

# Only the title bar is gone, and resizing is still allowed.
resizable_without_title() {
    title_bar_hidden && xprop -id "$MAIN_WINDOW" _NET_WM_ALLOWED_ACTIONS | grep -q _NET_WM_ACTION_RESIZE
}

# Always On Top leaves the window shown, where it was and as large as it was.
x11 && placed=$(client_geometry "$MAIN_WINDOW")
atspi do "menu item" "Always On Top"
wait_for "the check mark" checked "Always On Top"
if x11; then
    wait_for "the window to stay above the others" above
    [ "$(client_geometry "$MAIN_WINDOW")" = "$placed" ] ||
        fail "Always On Top moved the window from $placed to $(client_geometry "$MAIN_WINDOW")"
    # A double-click in the message window takes the title bar away.
    xdotool mousemove --window "$MAIN_WINDOW" 200 150 click --repeat 2 --delay 80 1
    wait_for "the title bar to go" resizable_without_title
fi
window_shown || fail "Always On Top hid the window"
screenshot "$DESKTOP-always-on-top"

type_keys ctrl+h
wait_for "the window to go" window_gone
kill -0 "$TELLWICK_PID" || fail "the program ended when hidden"
case $DESKTOP in
xembed | sni)
    # Hidden to the tray: the window manager no longer lists it at all.
    xprop -id "$MAIN_WINDOW" WM_STATE | grep -q Iconic && fail "minimised instead of hidden"
    ;;
notray)
    # Without a tray a hidden window could never be found again: it is minimised.
    wait_for "the window to be minimised" sh -c "xprop -id $MAIN_WINDOW WM_STATE | grep -q Iconic"
    ;;
esac
screenshot "$DESKTOP-hidden"

# Back the way this desktop offers.
case $DESKTOP in
xembed)
    wait_for "the tray icon" tray_icon
    xdotool mousemove --window "$TRAY_ICON" 8 8 click --repeat 2 --delay 80 1
    ;;
sni)
    item=$(tail -1 "$SESSION_DIR/sni-items")
    gdbus call --session --dest "$item" --object-path /StatusNotifierItem \
        --method org.kde.StatusNotifierItem.Activate 0 0 >/dev/null || fail "the tray item did not answer"
    ;;
notray | wayland)
    second_copy || fail "the second copy ended with $?"
    ;;
esac
wait_for "the window to come back" window_shown
if x11; then
    # The same window, as it was left: above the others, without title bar, and one the
    # desktop may still minimise (to the tray, where there is one).
    above || fail "no longer on top after coming back: $(window_states)"
    resizable_without_title || fail "the title bar came back with the window: $(frame_offsets)"
    xprop -id "$MAIN_WINDOW" _NET_WM_ALLOWED_ACTIONS | grep -q _NET_WM_ACTION_MINIMIZE ||
        fail "the desktop may not minimise the window: $(window_states)"
    xdotool mousemove --window "$MAIN_WINDOW" 200 150 click --repeat 2 --delay 80 1
    wait_for "the title bar to come back" title_bar_shown
fi
screenshot "$DESKTOP-back"

atspi do "menu item" "Always On Top"
wait_for "no check mark" unchecked "Always On Top"
x11 && wait_for "the window to leave the top" not_above
window_shown || fail "Always On Top off hid the window"

atspi do "menu item" Exit
wait_for "the program to end" ended "$TELLWICK_PID"
grep -q '^"WindowPos"="0,1,' "$STORE" || fail "no placement stored: $(cat "$STORE")"
