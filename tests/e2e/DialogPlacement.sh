#!/bin/sh
# A dialog centred over a window at the top of the screen keeps its title bar on the screen, and
# the accessibility bus tells where it really is: the About box over the main window at 0,0.
. "$(dirname "$0")/session.sh"
start_session
start_tellwick

# The window manager's frame around a client window: its ancestor that is a child of the root.
frame_of() {
    window=$1
    while :; do
        tree=$(xwininfo -tree -id "$window")
        parent=$(echo "$tree" | awk '/Parent window id:/ { print $4 }')
        [ "$parent" = "$(echo "$tree" | awk '/Root window id:/ { print $4 }')" ] && break
        window=$parent
    done
    echo "$window"
}

about_window() {
    ABOUT_WINDOW=$(xdotool search --all --pid "$TELLWICK_PID" --name '^About Tellwick$' | head -1)
    [ -n "$ABOUT_WINDOW" ] && is_viewable "$ABOUT_WINDOW"
}

# The OK button where the accessibility bus puts it and where X has it, "x y" each.
button_where_told() {
    set -- $(atspi extents "push button" OK)
    echo "$1 $2"
}
button_where_shown() {
    set -- $(atspi extents "push button" OK) $(client_geometry "$ABOUT_WINDOW")
    echo "$(($7 + $5)) $(($8 + $6))"
}
button_agrees() {
    set -- $(button_where_told) $(button_where_shown)
    [ $(($1 - $3)) -le 2 ] && [ $(($3 - $1)) -le 2 ] && [ $(($2 - $4)) -le 2 ] && [ $(($4 - $2)) -le 2 ]
}

xdotool windowmove --sync "$MAIN_WINDOW" 0 0
menu_open() {
    atspi states "menu item" "About Tellwick..." | grep -qw showing
}
type_keys alt+h
wait_for "the Help menu" menu_open
xdotool key a
wait_for "the About box" about_window
# The window manager frames and places the box in steps: the last one is awaited.
for _ in $(seq 30); do
    button_agrees && break
    sleep 0.05
done
screenshot about-box-top-left
button_agrees ||
    fail "the OK button is at $(button_where_told) to the accessibility bus, at $(button_where_shown) on the screen"

set -- $(xwininfo -id "$(frame_of "$ABOUT_WINDOW")" | awk '/Absolute upper-left [XY]/ { print $NF }')
[ "$1" -ge 0 ] && [ "$2" -ge 0 ] || fail "the About box's frame is at $1,$2, off the screen"
