#!/bin/sh
# Screen readers find every control of the window and of its dialogs by a name: its label, or
# for an icon-only button its tool tip or its command's menu text.
. "$(dirname "$0")/session.sh"
start_session
start_tellwick
atspi unnamed || fail "controls without a name in the main window"

type_keys ctrl+s
wait_for "the Send Message dialog" atspi states dialog "Send Message"
screenshot send-message-accessible
atspi unnamed || fail "controls without a name in the Send Message dialog"


# The About box's links are links to a screen reader too: Tab reaches the name, and its press
# action runs the credits.
send_message_closed() {
    ! atspi states dialog "Send Message"
}
help_menu_open() {
    atspi states "menu item" "About Tellwick..." | grep -qw showing
}
name_focused() {
    atspi states link Tellwick | grep -qw focused
}
xdotool key Escape
wait_for "the Send Message dialog to close" send_message_closed
type_keys alt+h
wait_for "the Help menu" help_menu_open
xdotool key a
wait_for "the About box" atspi states dialog "About Tellwick"
atspi unnamed || fail "controls without a name in the About box"
xdotool key Tab
wait_for "the name to take the focus" name_focused
screenshot about-box-name-focused
atspi do link Tellwick Press
wait_for "the credits" atspi states dialog Credits
