#!/bin/sh
# A second copy shows the first copy's window, even from the tray, and ends with 0.
. "$(dirname "$0")/session.sh"
start_session
start_tellwick
first=$TELLWICK_PID
xdotool windowminimize "$MAIN_WINDOW"
wait_for "the window to hide" is_not_viewable "$MAIN_WINDOW"

status=0
timeout 5 "$TELLWICK" || status=$?
[ "$status" -eq 0 ] || fail "the second copy ended with $status"
wait_for "the first copy's window" is_viewable "$MAIN_WINDOW"
kill -0 "$first" || fail "the first copy ended"
[ "$(xdotool search --onlyvisible --name '^Tellwick$' | wc -l)" -eq 1 ] || fail "more than one window"
