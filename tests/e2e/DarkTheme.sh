#!/bin/sh
# On a dark theme (Adwaita-Dark) a received plain message is readable: its text stands out from
# the message window's background by a contrast ratio of at least 4.5.
. "$(dirname "$0")/session.sh"
ls /usr/lib/*/qt6/plugins/styles/adwaita.so >/dev/null 2>&1 || missing "the Adwaita style for Qt 6 (adwaita-qt6)"
need_tools convert
export QT_STYLE_OVERRIDE=Adwaita-Dark
start_session
start_tellwick

"$TELLWICK_SEND" localhost "plain words on a dark theme" || fail "tellwick-send failed"
wait_for "the message logged" logged "plain words on a dark theme"
# The view's area without its frame; the line is there once painted.
set -- $(atspi extents filler Messages)
[ $# -ge 4 ] || fail "the message view is not on the accessibility bus"
drawn() {
    import -window root "$SESSION_DIR/dark.png" &&
        "$PYTHON" "$E2E_DIR/contrast.py" "$SESSION_DIR/dark.png" $(($1 + 3)) $(($2 + 3)) \
            $(($3 - 6)) $(($4 - 6)) >"$SESSION_DIR/contrast"
}
wait_for "the message drawn" drawn "$@"
screenshot dark-theme
read -r ratio background text luminance <"$SESSION_DIR/contrast"
echo "plain text $text on $background: contrast $ratio"
awk -v l="$luminance" 'BEGIN { exit !(l < 0.2) }' ||
    fail "the view's background $background is not dark: the dark theme did not take"
awk -v r="$ratio" 'BEGIN { exit !(r >= 4.5) }' ||
    fail "plain text $text on $background has a contrast of $ratio, under 4.5"
