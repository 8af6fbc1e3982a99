#!/bin/sh
# Hiding the caption under the window manager TELLWICK_DESKTOP names: a double-click in the
# message window takes the title bar away, the window can still be resized from its edge and
# moved as the window manager moves any window (Alt and drag), and a second double-click brings
# the title bar back. By hand:
#   TELLWICK=build-test/src/app/tellwick TELLWICK_DESKTOP=xfce sh tests/e2e/TitleBar.sh
. "$(dirname "$0")/session.sh"
start_session
start_tellwick
wait_for "the main window to be shown" window_shown

# The frame's borders "left right top bottom" as the window manager draws them; none drawn at all
# when the window manager sets none.
frame_extents() {
    xprop -id "$MAIN_WINDOW" _NET_FRAME_EXTENTS | sed -n 's/.*= //; s/,//gp' | grep . || echo 0 0 0 0
}

title_bar_hidden() {
    set -- $(frame_extents)
    [ "$3" -le "$1" ]
}

title_bar_shown() {
    set -- $(frame_extents)
    [ "$3" -gt "$1" ]
}

wait_for "the title bar" title_bar_shown
xdotool mousemove --window "$MAIN_WINDOW" 200 150 click --repeat 2 --delay 80 1
wait_for "the title bar to go" title_bar_hidden
screenshot "$DESKTOP-caption-hidden"

# Drags with the button held until the window answers: the window manager takes the pointer only
# once it has the program's request, so each step moves one pixel on from where the last one did.
# Usage: drag FROM_X FROM_Y DX DY CHECK WHAT, where CHECK tells when the drag has done WHAT.
drag() {
    from_x=$1 from_y=$2 drag_x=$3 drag_y=$4 check=$5 step=0
    xdotool mousemove "$from_x" "$from_y" mousedown 1
    wait_for "$6" drag_step
    xdotool mouseup 1
}

drag_step() {
    step=$((step + 1))
    xdotool mousemove $((from_x + drag_x + step % 2)) $((from_y + drag_y + step % 2))
    "$check"
}

# Resized from the bottom-right corner of the window's own border.
set -- $(client_geometry "$MAIN_WINDOW")
x=$1 y=$2 w=$3 h=$4
grown() {
    set -- $(client_geometry "$MAIN_WINDOW")
    [ "$1" = "$x" ] && [ "$2" = "$y" ] && [ "$3" -ge $((w + 50)) ] && [ "$4" -ge $((h + 30)) ]
}
drag $((x + w - 2)) $((y + h - 2)) 60 40 grown "the window to grow from its corner"
title_bar_hidden || fail "the title bar came back with the resize: $(frame_extents)"

# Moved from inside, with Alt held, as the window manager moves a window without a title bar.
set -- $(client_geometry "$MAIN_WINDOW")
x=$1 y=$2 w=$3 h=$4
moved() {
    set -- $(client_geometry "$MAIN_WINDOW")
    [ "$1" -ge $((x + 50)) ] && [ "$2" -ge $((y + 30)) ] && [ "$3" = "$w" ] && [ "$4" = "$h" ]
}
xdotool keydown alt
drag $((x + w / 2)) $((y + h / 2)) 60 40 moved "the window to move with Alt held"
xdotool keyup alt
screenshot "$DESKTOP-caption-hidden-resized"

xdotool mousemove --window "$MAIN_WINDOW" 200 150 click --repeat 2 --delay 80 1
wait_for "the title bar to come back" title_bar_shown
screenshot "$DESKTOP-caption-shown"
