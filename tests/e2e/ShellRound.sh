#!/bin/sh
# A round on a real desktop shell (TELLWICK_DESKTOP: xfce, lxqt, plasma or gnome-x11; notray, an
# icewm without a tray, for the caption alone):
# - a double-click in the message window takes the title bar away, the window is still resized
#   from its edge and moved as the window manager moves any window (Alt and drag), and a second
#   double-click brings the title bar back;
# - the desktop's own minimise hides the window to the tray, and a click on the tray icon brings
#   it back, in front and still minimisable;
# - the tray item's exported menu holds the tray menu's commands (these trays show only that
#   menu and never ask the program for one), the panel opens it on a right-click, and Exit picked
#   there ends the program.
# By hand:
#   TELLWICK=build-test/src/app/tellwick TELLWICK_DESKTOP=plasma sh tests/e2e/ShellRound.sh
. "$(dirname "$0")/session.sh"
start_session
start_tellwick
wait_for "the main window to be shown" window_shown

# --- The tray item and its menu ---

dbus_menu() {
    "$PYTHON" "$E2E_DIR/dbus_menu.py" "$@"
}

registered() {
    ITEM=$(dbus_menu items | head -1)
    [ -n "$ITEM" ]
}

# The middle of an object of the shell's, "x y" on the screen, as the accessibility bus places
# it: the last of that role and name.
shell_object() {
    set -- $(ATSPI_APPLICATION=$SHELL_APPLICATION atspi extents "$@" | tail -1)
    [ "$#" -ge 4 ] && [ "$3" -gt 0 ] && echo "$(($1 + $3 / 2)) $(($2 + $4 / 2))"
}

# The program's icon in the panel, "x y" on the screen. XFCE's tray is a small window of its
# own and LXQt's sits at the panel's right end; Plasma's and GNOME's panels name their buttons
# to the accessibility bus.
panel_icon() {
    case $DESKTOP in
    plasma | gnome-x11)
        ICON=$(shell_object "$PANEL_ROLE" "$PANEL_NAME")
        return
        ;;
    esac
    for window in $(xdotool search --onlyvisible --class "$PANEL_CLASS" 2>/dev/null); do
        set -- $(client_geometry "$window")
        case $DESKTOP in
        xfce) [ "$3" -lt 100 ] && [ "$4" -lt 100 ] && x=$(($1 + $3 / 2)) ;;
        lxqt) [ "$3" -gt 100 ] && x=$(($1 + $3 - $4 / 2)) ;;
        esac && ICON="$x $(($2 + $4 / 2))" && return 0
    done
    return 1
}

case $DESKTOP in
xfce) PANEL_CLASS=Wrapper-2.0 ;;
lxqt) PANEL_CLASS=lxqt-panel ;;
# Plasma names the tray button after the item's title, the program's name; its task bar has one
# named after the window. GNOME's top bar names the item so too, right of the focused program's
# menu of the same name.
plasma) SHELL_APPLICATION=plasmashell PANEL_ROLE="push button" PANEL_NAME=tellwick ;;
gnome-x11) SHELL_APPLICATION=gnome-shell PANEL_ROLE=menu PANEL_NAME=tellwick ;;
notray) ;;
*) fail "no panel known for $DESKTOP" ;;
esac
if [ "$DESKTOP" != notray ]; then
    wait_for "the tray item to register" registered
    layout=$(dbus_menu layout "$ITEM" 2>&1) || fail "the tray menu cannot be read: $layout"
    expected=$(printf '%s\tenabled\n' _About '' 'Send Message...' _Properties... '' E_xit)
    [ "$layout" = "$expected" ] || fail "the exported menu is not the tray menu: $layout"
    # Once the panel shows the icon, the shell has drawn its desktop.
    wait_for "the tray icon in the panel" panel_icon
fi

# --- The caption ---

toggle_caption() {
    xdotool mousemove --window "$MAIN_WINDOW" 200 150 click --repeat 2 --delay 80 1
}

# Drags with the button held until the window answers. The window manager takes the pointer only
# once it has the program's request, and starts from where the pointer is then, which on a
# loaded machine is already on the way: so the pointer goes on a tenth of the way at each step,
# up to three times as far, and then moves a pixel to and fro.
# Usage: drag FROM_X FROM_Y DX DY CHECK WHAT, where CHECK tells when the drag has done WHAT.
drag() {
    from_x=$1 from_y=$2 drag_x=$3 drag_y=$4 check=$5 step=0
    xdotool mousemove "$from_x" "$from_y" mousedown 1
    wait_for "$6" drag_step
    xdotool mouseup 1
}

drag_step() {
    step=$((step + 1))
    tenths=$((step < 30 ? step : 30))
    xdotool mousemove $((from_x + drag_x * tenths / 10 + step % 2)) $((from_y + drag_y * tenths / 10 + step % 2))
    "$check"
}

wait_for "the title bar" title_bar_shown
toggle_caption
wait_for "the title bar to go" title_bar_hidden
screenshot "$DESKTOP-caption-hidden"

# Resized from the bottom-right corner of the window's own border.
set -- $(client_geometry "$MAIN_WINDOW")
x=$1 y=$2 w=$3 h=$4
grown() {
    set -- $(client_geometry "$MAIN_WINDOW")
    [ "$1" = "$x" ] && [ "$2" = "$y" ] && [ "$3" -ge $((w + 50)) ] && [ "$4" -ge $((h + 30)) ]
}
drag $((x + w - 2)) $((y + h - 2)) 60 40 grown "the window to grow from its corner"
title_bar_hidden || fail "the title bar came back with the resize: $(frame_offsets)"

# Moved from inside, with the window manager's modifier held, as it moves a window without a
# title bar: GNOME's and KWin's is the Super key, the others' Alt.
case $DESKTOP in
gnome-x11 | plasma) modifier=super ;;
*) modifier=alt ;;
esac
set -- $(client_geometry "$MAIN_WINDOW")
x=$1 y=$2 w=$3 h=$4
moved() {
    set -- $(client_geometry "$MAIN_WINDOW")
    [ "$1" -ge $((x + 50)) ] && [ "$2" -ge $((y + 30)) ] && [ "$3" = "$w" ] && [ "$4" = "$h" ]
}
xdotool keydown $modifier
drag $((x + w / 2)) $((y + h / 2)) 60 40 moved "the window to move with $modifier held"
xdotool keyup $modifier
screenshot "$DESKTOP-caption-hidden-resized"

toggle_caption
wait_for "the title bar to come back" title_bar_shown
screenshot "$DESKTOP-caption-shown"
[ "$DESKTOP" != notray ] || exit 0

# --- The desktop's own minimise, and back from the tray ---

minimisable() {
    xprop -id "$MAIN_WINDOW" _NET_WM_ALLOWED_ACTIONS | grep -q _NET_WM_ACTION_MINIMIZE
}

focused() {
    [ "$(xdotool getactivewindow)" = "$MAIN_WINDOW" ]
}

# Withdrawn: KWin takes the window's state away, the others set it so.
withdrawn() {
    ! xprop -id "$MAIN_WINDOW" WM_STATE | grep -q -e Normal -e Iconic
}

wait_for "the window in front" focused
# What the title bar's menu and the desktop's keys ask the window manager for: it must be allowed.
minimisable ||
    fail "the desktop may not minimise the window: $(xprop -id "$MAIN_WINDOW" _NET_WM_ALLOWED_ACTIONS _NET_WM_STATE)"
screenshot "$DESKTOP-window-and-tray"
# The window manager's own key where it has one; Openbox has none, and LXQt's task bar asks it
# as this does.
case $DESKTOP in
gnome-x11) xdotool key --clearmodifiers super+h ;;
plasma) xdotool key --clearmodifiers super+Next ;;
xfce) xdotool key --clearmodifiers alt+F9 ;;
lxqt) xdotool windowminimize "$MAIN_WINDOW" ;;
esac
wait_for "the window to hide" is_not_viewable "$MAIN_WINDOW"
# Hidden to the tray, not left minimised: the desktop no longer lists it at all.
wait_for "the window to be withdrawn" withdrawn
kill -0 "$TELLWICK_PID" || fail "the program ended when minimised"
screenshot "$DESKTOP-hidden-in-tray"

# GNOME's AppIndicator opens the menu on one click and activates the item on two.
clicks=1
[ "$DESKTOP" != gnome-x11 ] || clicks=2
xdotool mousemove $ICON click --repeat $clicks --delay 80 1
wait_for "the window to come back" is_viewable "$MAIN_WINDOW"
wait_for "the window in front again" focused
minimisable || fail "the window came back and may no longer be minimised"

# --- The tray menu, as the panel draws it ---

# A pop-up menu on the screen that is not the program's. GNOME Shell draws its menus itself,
# in no window of their own.
panel_menu() {
    if [ "$DESKTOP" = gnome-x11 ]; then
        ATSPI_APPLICATION=gnome-shell atspi states label Exit | grep -qw showing
        return
    fi
    for window in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        xprop -id "$window" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_POPUP_MENU &&
            ! xprop -id "$window" WM_CLASS | grep -q tellwick && return 0
    done
    return 1
}

# The panel may draw the icon a little after the item registered: a click that opened nothing
# is given again.
open_panel_menu() {
    for _ in 1 2 3 4 5; do
        xdotool mousemove $ICON click 3
        for _ in $(seq 40); do
            panel_menu && return 0
            sleep 0.05
        done
    done
    return 1
}

open_panel_menu || fail "the panel opened no menu"
screenshot "$DESKTOP-tray-menu"
if [ "$DESKTOP" = gnome-x11 ]; then
    # The shell may say the menu is showing before it has laid out its items.
    exit_item() {
        EXIT_ITEM=$(shell_object label Exit) && [ -n "$EXIT_ITEM" ]
    }
    wait_for "the menu's Exit in its place" exit_item
    xdotool mousemove $EXIT_ITEM click 1
else
    # From nothing picked, Up picks the last entry: Exit.
    xdotool key Up Return
fi
wait_for "the program to end" ended "$TELLWICK_PID"
