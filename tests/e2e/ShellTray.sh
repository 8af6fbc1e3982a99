#!/bin/sh
# The tray menu on a desktop shell's own panel (TELLWICK_DESKTOP: xfce, unless lxqt). Its tray
# shows only the menu an item exports over D-Bus and never asks the program for one: the item
# registers, its exported menu holds the tray menu's commands, the panel opens it on a
# right-click, and Exit picked there ends the program. By hand:
#   TELLWICK=build-test/src/app/tellwick sh tests/e2e/ShellTray.sh
#   TELLWICK=build-test/src/app/tellwick TELLWICK_DESKTOP=lxqt sh tests/e2e/ShellTray.sh
export TELLWICK_DESKTOP=${TELLWICK_DESKTOP:-xfce}
. "$(dirname "$0")/session.sh"
start_session
start_tellwick

dbus_menu() {
    "$PYTHON" "$E2E_DIR/dbus_menu.py" "$@"
}

registered() {
    ITEM=$(dbus_menu items | head -1)
    [ -n "$ITEM" ]
}

wait_for "the tray item to register" registered
layout=$(dbus_menu layout "$ITEM" 2>&1) || fail "the tray menu cannot be read: $layout"
expected=$(printf '%s\tenabled\n' _About '' 'Send Message...' _Properties... '' E_xit)
[ "$layout" = "$expected" ] || fail "the exported menu is not the tray menu: $layout"

# The only icon the panel's tray holds, "x y" on the screen: on XFCE in the middle of the
# tray's own small window, on LXQt at the panel's right end.
panel_icon() {
    for window in $(xdotool search --onlyvisible --class "$PANEL_CLASS" 2>/dev/null); do
        set -- $(client_geometry "$window")
        case $DESKTOP in
        xfce) [ "$3" -lt 100 ] && [ "$4" -lt 100 ] && x=$(($1 + $3 / 2)) ;;
        lxqt) [ "$3" -gt 100 ] && x=$(($1 + $3 - $4 / 2)) ;;
        esac && ICON="$x $(($2 + $4 / 2))" && return 0
    done
    return 1
}

# A pop-up menu on the screen that is not the program's.
panel_menu() {
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

case $DESKTOP in
xfce) PANEL_CLASS=Wrapper-2.0 ;;
lxqt) PANEL_CLASS=lxqt-panel ;;
*) fail "no panel known for $DESKTOP" ;;
esac
wait_for "the tray icon in the panel" panel_icon
open_panel_menu || fail "the panel opened no menu"
screenshot "$DESKTOP-tray-menu"
# From nothing picked, Up picks the last entry: Exit.
xdotool key Up Return
wait_for "the program to end" ended "$TELLWICK_PID"
