#!/bin/sh
# Tellwick in German: its menus and dialogs speak German, a message goes out through the German
# Send Message dialog, and what it writes (the store, the log, the alert file) is byte for byte
# what the same steps write in English.
. "$(dirname "$0")/session.sh"
locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8' || missing "the locale de_DE.UTF-8"
start_session
STORE="$XDG_CONFIG_HOME/Orvosoft/Tellwick.reg"

dialog() {
    atspi states dialog "$1"
}
closed() {
    ! dialog "$1"
}
menu_item_showing() {
    atspi states "menu item" "$1" | grep -qw showing
}
message_logged() {
    tr -d '\r' <Tellwick.log | grep -qx "$1"
}

# One round in the language of the environment. $1 the folder that keeps what it wrote, then
# the texts of that language: the Options menu's key and its Properties item, the sheet's and
# the dialogs' captions, the message field's name, the File menu's key and its Exit item's key.
round() {
    rm -rf "$XDG_CONFIG_HOME"/* ./*
    start_tellwick
    type_keys "alt+$2"
    wait_for "the Options menu" menu_item_showing "$3"
    xdotool key Escape Escape
    screenshot "languages-$1-options-menu"

    type_keys ctrl+p
    wait_for "the Properties sheet" dialog "$4"
    xdotool key space ctrl+Tab
    sleep 0.3
    xdotool key F4
    wait_for "the Alert dialog" dialog "$5"
    xdotool type "Disk alert"
    xdotool key F4
    wait_for "the Keyword dialog" dialog "$6"
    xdotool type "full"
    xdotool key Return
    wait_for "the Keyword dialog to close" closed "$6"
    xdotool key Return
    wait_for "the Alert dialog to close" closed "$5"
    xdotool key Return
    wait_for "the sheet to close" closed "$4"

    type_keys ctrl+s
    wait_for "the Send Message dialog" dialog "$7"
    screenshot "languages-$1-send-message"
    atspi set text "Computer:" localhost
    atspi set text "$8" "the disk is full"
    atspi do "push button" OK
    wait_for "the message in the log" message_logged "the disk is full"

    type_keys "alt+$9" "${10}"
    wait_for "the program to end" ended "$TELLWICK_PID"
    mkdir -p "$SESSION_DIR/$1"
    cp "$STORE" Tellwick.log alerts.twk "$SESSION_DIR/$1/"
}

unset LC_ALL LC_MESSAGES
export LANG=de_DE.UTF-8 LANGUAGE=
round de o Eigenschaften "Tellwick – Eigenschaften" Alarm Schlüsselwort "Nachricht senden" \
    "Nachricht:" d b
export LANGUAGE=en
round en o Properties "Tellwick Properties" Alert Keyword "Send Message" "Message:" f x

for file in Tellwick.reg Tellwick.log alerts.twk; do
    cmp "$SESSION_DIR/de/$file" "$SESSION_DIR/en/$file" ||
        fail "$file differs between German and English: $(diff "$SESSION_DIR/de/$file" "$SESSION_DIR/en/$file")"
done
grep -q '^"AddDateTime"=dword:00000000' "$STORE" || fail "the stamp switch is not stored: $(cat "$STORE")"
