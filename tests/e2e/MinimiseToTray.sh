#!/bin/sh
# Minimising hides the window to the tray; a double-click on the tray icon brings it back.
. "$(dirname "$0")/session.sh"
start_session
start_tellwick
wait_for "the tray icon" tray_icon
screenshot window-and-tray

xdotool windowminimize "$MAIN_WINDOW"
wait_for "the window to hide" is_not_viewable "$MAIN_WINDOW"
# Hidden, not minimised: the window manager no longer lists it at all.
wait_for "the window to be withdrawn" sh -c "! xprop -id $MAIN_WINDOW WM_STATE | grep -q Iconic"
kill -0 "$TELLWICK_PID" || fail "the program ended when minimised"
screenshot hidden-in-tray

xdotool mousemove --window "$TRAY_ICON" 8 8 click --repeat 2 --delay 80 1
wait_for "the window to come back" is_viewable "$MAIN_WINDOW"
screenshot back-from-tray
