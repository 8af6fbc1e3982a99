#!/bin/sh
# A window that GNOME Shell minimised comes back, although Wayland never tells the program that
# it was minimised: on a new message (MakeVisible on), on the tray's Activate and on a second
# start. TELLWICK_DESKTOP: gnome (no tray) or gnome-appindicator (the shell's D-Bus tray
# extension). The shell runs headless on Wayland alone, with a system bus of the test's own and
# an extension of its own that minimises as Super+H does and reads the windows' states. By hand:
#   TELLWICK=build-test/src/app/tellwick TELLWICK_SEND=build-test/src/tools/tellwick-send \
#       sh tests/e2e/CompositorMinimise.sh
export TELLWICK_DESKTOP=${TELLWICK_DESKTOP:-gnome}
. "$(dirname "$0")/session.sh"

need_tools gnome-shell dbus-daemon dbus-update-activation-environment gdbus ss
case $DESKTOP in
gnome) ;;
gnome-appindicator)
    [ -d /usr/share/gnome-shell/extensions/ubuntu-appindicators@ubuntu.com ] ||
        missing "GNOME Shell's AppIndicator extension"
    need_python_module dbus
    ;;
*) fail "unknown desktop $DESKTOP" ;;
esac
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 || missing "Qt's Wayland plugin"

SESSION_DIR=$(mktemp -d)
SESSION_PIDS=""
finish() {
    status=$?
    [ "$status" -eq 0 ] || [ ! -s "$SESSION_DIR/gnome-shell.log" ] ||
        tail -40 "$SESSION_DIR/gnome-shell.log" | sed 's/^/gnome-shell: /' >&2
    end_session "$status"
}
trap finish EXIT
mkdir -p "$SESSION_DIR/config" "$SESSION_DIR/runtime" "$SESSION_DIR/work" "$SESSION_DIR/data"
chmod 700 "$SESSION_DIR/runtime"
export HOME="$SESSION_DIR" XDG_CONFIG_HOME="$SESSION_DIR/config" XDG_RUNTIME_DIR="$SESSION_DIR/runtime"
export XDG_DATA_HOME="$SESSION_DIR/data" TELLWICK_MAILSLOT_PORT=$(free_udp_port)
unset SESSION_MANAGER DISPLAY WAYLAND_DISPLAY
cd "$SESSION_DIR/work"
mkdir -p "$XDG_CONFIG_HOME/Orvosoft"
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick]\n"MakeVisible"=dword:00000001\n' \
    >"$XDG_CONFIG_HOME/Orvosoft/Tellwick.reg"

# The shell's settings come from a key file: the test's extension, and the tray's where wanted.
MINIMISER=minimiser@tellwick.test
mkdir -p "$XDG_DATA_HOME/gnome-shell/extensions/$MINIMISER" "$XDG_CONFIG_HOME/glib-2.0/settings"
cp "$E2E_DIR/shell_minimiser.js" "$XDG_DATA_HOME/gnome-shell/extensions/$MINIMISER/extension.js"
printf '{"uuid": "%s", "name": "Minimiser", "description": "Minimises for the tests", "shell-version": ["43"]}\n' \
    "$MINIMISER" >"$XDG_DATA_HOME/gnome-shell/extensions/$MINIMISER/metadata.json"
extensions="'$MINIMISER'"
[ "$DESKTOP" = gnome ] || extensions="$extensions, 'ubuntu-appindicators@ubuntu.com'"
printf '[org/gnome/shell]\nenabled-extensions=[%s]\n' "$extensions" >"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile"
export GSETTINGS_BACKEND=keyfile

start_system_bus
dbus-update-activation-environment --all
background gnome-shell --headless --wayland --no-x11 --wayland-display=tellwick-e2e \
    --virtual-monitor 1024x768 >"$SESSION_DIR/gnome-shell.log" 2>&1

shell() {
    method=$1
    shift
    gdbus call --session --dest org.tellwick.E2e --object-path /org/tellwick/E2e \
        --method "org.tellwick.E2e.$method" "$@"
}
# The program's window as the shell sees it: "minimised" or "shown".
window_state() {
    shell States | tr -d "()',\"" | sed 's/\\n/\n/g' | awk '$1 == "Tellwick" { print $2 }'
}
minimised() {
    [ "$(window_state)" = minimised ]
}
shown() {
    [ "$(window_state)" = shown ]
}
minimise() {
    shell Minimise Tellwick | grep -q '(1,)' || fail "the shell found no window to minimise"
    wait_for "the shell to minimise the window" minimised
}

wait_for "GNOME Shell" shell States
[ "$DESKTOP" = gnome ] || wait_for "the shell's tray" tray_host
export WAYLAND_DISPLAY=tellwick-e2e QT_QPA_PLATFORM=wayland
"$TELLWICK" >>"$SESSION_DIR/tellwick.log" 2>&1 &
TELLWICK_PID=$!
SESSION_PIDS="$SESSION_PIDS $TELLWICK_PID"
wait_for "the main window" shown

minimise
"$TELLWICK_SEND" localhost hello || fail "tellwick-send failed"
wait_for "the stamped line in Tellwick.log" logged hello
wait_for "the window to come back on a message" shown

if [ "$DESKTOP" != gnome ]; then
    item() {
        ITEM=$("$PYTHON" "$E2E_DIR/dbus_menu.py" items | head -1)
        [ -n "$ITEM" ]
    }
    wait_for "the tray item" item
    # The shell's watcher lists an item as "bus-name@/path", others as "bus-name/path".
    name=${ITEM%%/*}
    minimise
    gdbus call --session --dest "${name%@}" --object-path "/${ITEM#*/}" \
        --method org.kde.StatusNotifierItem.Activate 0 0 >/dev/null || fail "the tray item took no Activate"
    wait_for "the window to come back from the tray" shown
fi

minimise
status=0
timeout 5 "$TELLWICK" || status=$?
[ "$status" -eq 0 ] || fail "the second copy ended with $status"
wait_for "the window to come back on a second start" shown
kill -0 "$TELLWICK_PID" || fail "the first copy ended"
