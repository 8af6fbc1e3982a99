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
