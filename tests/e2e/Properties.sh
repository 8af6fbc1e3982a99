#!/bin/sh
# Options and alerts set from the keyboard alone take effect at once and are kept: Ctrl+P,
# untick "Show date and time on messages", add an alert with a keyword on the Alerts page, OK.
. "$(dirname "$0")/session.sh"
start_session
STORE="$XDG_CONFIG_HOME/Orvosoft/Tellwick.reg"
start_tellwick

# A modal dialog of the program, found by its caption.
dialog() {
    atspi states dialog "$1"
}
closed() {
    ! dialog "$1"
}

type_keys ctrl+p
wait_for "the Properties sheet" dialog "Tellwick Properties"
xdotool key space ctrl+Tab
sleep 0.3
xdotool key F4
wait_for "the Alert dialog" dialog Alert
xdotool type "Disk alert"
xdotool key F4
wait_for "the Keyword dialog" dialog Keyword
xdotool type "full"
xdotool key Return
wait_for "the Keyword dialog to close" closed Keyword
screenshot properties-alert-dialog
xdotool key Return
wait_for "the Alert dialog to close" closed Alert
screenshot properties-alerts-page
xdotool key Return
wait_for "the sheet to close" closed "Tellwick Properties"

"$TELLWICK_SEND" localhost "the disk is full" || fail "tellwick-send failed"
unstamped() {
    tr -d '\r' <Tellwick.log | grep -qx "the disk is full"
}
wait_for "the message logged without a stamp" unstamped

type_keys alt+f x
wait_for "the program to end" ended "$TELLWICK_PID"
grep -q '^"AddDateTime"=dword:00000000' "$STORE" || fail "the stamp switch is not stored: $(cat "$STORE")"
grep -q full alerts.twk || fail "the alert is not in alerts.twk"
