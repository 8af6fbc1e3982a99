#!/bin/sh
# A message sent with tellwick-send to this computer reaches the running program: the window
# comes back from the tray, and the line is stamped and logged in Tellwick.log.
. "$(dirname "$0")/session.sh"
start_session
start_tellwick
xdotool windowminimize "$MAIN_WINDOW"
wait_for "the window to hide" is_not_viewable "$MAIN_WINDOW"

"$TELLWICK_SEND" localhost hello || fail "tellwick-send failed"
logged() {
    tr -d '\r' <Tellwick.log | grep -Eq '^[0-9]{2}/[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} hello$'
}
wait_for "the stamped line in Tellwick.log" logged
wait_for "the window to come back" is_viewable "$MAIN_WINDOW"
screenshot receive-message
