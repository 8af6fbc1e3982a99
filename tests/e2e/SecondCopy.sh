#!/bin/sh
# A second copy shows the first copy's window, even from the tray, and ends at once with 0.
. "$(dirname "$0")/session.sh"
start_session
start_tellwick
first=$TELLWICK_PID
xdotool windowminimize "$MAIN_WINDOW"
wait_for "the window to hide" is_not_viewable "$MAIN_WINDOW"

started=$(date +%s%N)
status=0
timeout 5 "$TELLWICK" || status=$?
elapsed_ms=$(( ($(date +%s%N) - started) / 1000000 ))
[ "$status" -eq 0 ] || fail "the second copy ended with $status"
[ "$elapsed_ms" -lt 1000 ] || fail "the second copy took $elapsed_ms ms"
wait_for "the first copy's window" is_viewable "$MAIN_WINDOW"
kill -0 "$first" || fail "the first copy ended"
[ "$(xdotool search --onlyvisible --name '^Tellwick$' | wc -l)" -eq 1 ] || fail "more than one window"
