#!/bin/sh
# Under GNOME Shell, whose tray is its AppIndicator extension, the desktop's own minimise (Super+H)
# hides the window to the tray, and the tray item's Activate brings it back. The shell runs on
# the private display as its window manager, with a private system bus of its own.
. "$(dirname "$0")/session.sh"

EXTENSION=ubuntu-appindicators@ubuntu.com

# The session's desktop is GNOME Shell instead of icewm.
start_window_manager() {
    need_tools gnome-shell dbus-daemon dbus-update-activation-environment gdbus
    [ -d "/usr/share/gnome-shell/extensions/$EXTENSION" ] || missing "GNOME Shell's AppIndicator extension"
    trap show_shell_log EXIT

    # The shell gives up without a system bus; an empty one that lets it own its names will do.
    cat >"$SESSION_DIR/system-bus.conf" <<EOF
<busconfig>
  <type>system</type>
  <listen>unix:path=$SESSION_DIR/system-bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
  </policy>
</busconfig>
EOF
    background dbus-daemon --config-file="$SESSION_DIR/system-bus.conf" --nofork --nopidfile
    export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$SESSION_DIR/system-bus"
    wait_for "the system bus" test -S "$SESSION_DIR/system-bus"

    # Settings in a file of this session, read by the shell and by what the bus starts for it:
    # the tray extension on, no welcome tour, and neither animations nor banners, which would
    # keep the window out of the screenshots.
    mkdir -p "$XDG_CONFIG_HOME/glib-2.0/settings"
    printf '[org/gnome/shell]\nenabled-extensions=[%s]\nwelcome-dialog-last-shown-version=%s\n' \
        "'$EXTENSION'" "'999'" >"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile"
    printf '[org/gnome/desktop/interface]\nenable-animations=false\n%s\nshow-banners=false\n' \
        '[org/gnome/desktop/notifications]' >>"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile"
    export GSETTINGS_BACKEND=keyfile XDG_SESSION_TYPE=x11 XDG_CURRENT_DESKTOP=GNOME
    dbus-update-activation-environment --all
    background gnome-shell --x11 --replace --sm-disable >"$SESSION_DIR/gnome-shell.log" 2>&1
    # Asked, not called: a call to a name nobody owns yet would start another service for it.
    wait_for "the shell's tray" bus_has StatusNotifierWatcher
    wait_for "the shell's notifications" bus_has Notifications
    # The shell opens its overview once it has started, and then holds every window back in it.
    wait_for "the shell's overview" overview_is true
    wait_for "the shell to leave its overview" leave_overview
}

show_shell_log() {
    status=$?
    [ "$status" -eq 0 ] || [ ! -s "$SESSION_DIR/gnome-shell.log" ] ||
        sed 's/^/gnome-shell: /' "$SESSION_DIR/gnome-shell.log" >&2
    end_session
}

bus_has() {
    case $1 in
    StatusNotifierWatcher) name=org.kde.StatusNotifierWatcher ;;
    Notifications) name=org.freedesktop.Notifications ;;
    esac
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner "$name" | grep -q true
}

overview_is() {
    gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
        --method org.freedesktop.DBus.Properties.Get org.gnome.Shell OverviewActive | grep -q "$1"
}

leave_overview() {
    gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
        --method org.freedesktop.DBus.Properties.Set org.gnome.Shell OverviewActive '<false>' &&
        overview_is false
}

# Tellwick's item among those the shell's watcher lists, as "bus-name object-path".
tray_item() {
    items=$(gdbus call --session --dest org.kde.StatusNotifierWatcher --object-path /StatusNotifierWatcher \
        --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems |
        grep -o "'[^']*'" | tr -d "'")
    for item in $items; do
        name=${item%%/*}
        name=${name%@}
        owner=$(gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
            --method org.freedesktop.DBus.GetConnectionUnixProcessID "$name" | sed 's/.* \([0-9]*\),)$/\1/')
        case $item in
        */*) path=/${item#*/} ;;
        *) path=/StatusNotifierItem ;;
        esac
        [ "$owner" = "$TELLWICK_PID" ] && TRAY_ITEM="$name $path" && return 0
    done
    return 1
}

minimisable() {
    xprop -id "$MAIN_WINDOW" _NET_WM_ALLOWED_ACTIONS | grep -q _NET_WM_ACTION_MINIMIZE
}

focused() {
    [ "$(xdotool getactivewindow)" = "$MAIN_WINDOW" ]
}

withdrawn() {
    xprop -id "$MAIN_WINDOW" WM_STATE | grep -q Withdrawn
}

start_session
start_tellwick
wait_for "the window" is_viewable "$MAIN_WINDOW"
wait_for "the tray item registered with the shell" tray_item
wait_for "the window in front" focused
screenshot gnome-shell-window-and-tray
# What the title bar's menu and Super+H ask the shell for: it must be allowed.
minimisable ||
    fail "the desktop may not minimise the window: $(xprop -id "$MAIN_WINDOW" _NET_WM_ALLOWED_ACTIONS _NET_WM_STATE)"

xdotool key --clearmodifiers super+h
wait_for "the window to hide" is_not_viewable "$MAIN_WINDOW"
# Hidden to the tray, not left minimised: the shell no longer lists it at all.
wait_for "the window to be withdrawn" withdrawn
kill -0 "$TELLWICK_PID" || fail "the program ended when minimised"
screenshot gnome-shell-hidden-in-tray

set -- $TRAY_ITEM
gdbus call --session --dest "$1" --object-path "$2" --method org.kde.StatusNotifierItem.Activate 0 0 >/dev/null ||
    fail "the tray item did not answer"
wait_for "the window to come back" is_viewable "$MAIN_WINDOW"
wait_for "the window in front again" focused
minimisable || fail "the window came back and may no longer be minimised"
screenshot gnome-shell-back-from-tray
