# Shared by the whole-program tests: a private session bus with the accessibility bus on it, a
# private desktop, private configuration, runtime and working folders, and a free mailslot port.
# TELLWICK_DESKTOP picks the desktop: xembed (X11 with an XEmbed tray, the default), notray
# (X11 without any tray), sni (X11 with a D-Bus StatusNotifierItem tray), xfce (XFCE's own
# window manager and panel, whose Status Tray is a D-Bus one), lxqt (LXQt's panel, whose Status
# Notifier is one too, under Openbox), plasma (KWin, kded5 and plasmashell), gnome-x11 (GNOME
# Shell with its AppIndicator extension as the tray) or wayland (Weston, no tray).
# Everything runs on a private Xvfb display: Weston runs there as a window, which
# gives it a seat, so keys typed with xdotool reach its Wayland clients as real input.
# Usage: . session.sh; start_session; ... The session ends with the test's shell.
set -eu

E2E_SCREENSHOTS=${E2E_SCREENSHOTS:-}
DESKTOP=${TELLWICK_DESKTOP:-xembed}
E2E_DIR=$(cd "$(dirname "$0")" && pwd)
PYTHON=/usr/bin/python3

fail() {
    report_failure "$*"
    exit 1
}

report_failure() {
    FAILED=1
    echo "FAIL: $1" >&2
    [ -n "${E2E_SCREENSHOTS}" ] && screenshot "failure-$(basename "$0" .sh)-$DESKTOP" || true
    for log in tellwick icewm weston xfwm4 openbox kwin gnome-shell panel; do
        [ -n "${SESSION_DIR:-}" ] && [ -s "$SESSION_DIR/$log.log" ] && sed "s/^/$log: /" "$SESSION_DIR/$log.log" >&2
    done
    return 0
}

# A whole-program test that cannot run hides a fault: under CI it fails, elsewhere it skips.
missing() {
    if [ "${CI:-}" = true ]; then
        echo "FAIL: $1 is missing (scripts/install-deps.sh --test installs it)" >&2
        exit 1
    fi
    echo "no $1 here: skipped"
    exit 77
}

need_tools() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || missing "$tool"
    done
}

need_python_module() {
    "$PYTHON" -c "import $1" 2>/dev/null || missing "python3 module $1"
}

# Every test gets a session bus of its own: the accessibility bus, the tray watcher and the
# program's own D-Bus use stay inside it.
if [ -z "${E2E_PRIVATE_BUS:-}" ]; then
    need_tools dbus-run-session
    E2E_PRIVATE_BUS=1 exec dbus-run-session -- sh "$0" "$@"
fi

# Usage: end_session STATUS, the status the test ends with.
end_session() {
    # A command that failed under set -e ends the test without a word: say which status, with
    # the logs, while the session is still there.
    [ "$1" -eq 0 ] || [ "$1" -eq 77 ] || [ -n "${FAILED:-}" ] ||
        report_failure "a step of the test failed with status $1"
    for pid in ${SESSION_PIDS:-}; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    [ -n "${SESSION_DIR:-}" ] && rm -rf "$SESSION_DIR"
}

free_udp_port() {
    while :; do
        port=$(( $(od -An -N2 -tu2 /dev/urandom) % 30000 + 20000 ))
        [ -z "$(ss -Hlun "sport = :$port" 2>/dev/null)" ] && echo "$port" && return
    done
}

background() {
    "$@" &
    SESSION_PIDS="$SESSION_PIDS $!"
}

start_session() {
    need_tools ss "$PYTHON"
    [ -x /usr/libexec/at-spi-bus-launcher ] || missing at-spi-bus-launcher
    need_python_module pyatspi
    need_tools Xvfb xdotool xwininfo xprop import
    case $DESKTOP in
    xembed | notray) need_tools icewm ;;
    sni) need_tools icewm gdbus; need_python_module dbus ;;
    xfce) need_tools xfwm4 xfce4-panel dbus-update-activation-environment gdbus; need_python_module dbus ;;
    lxqt)
        need_tools openbox lxqt-panel dbus-update-activation-environment gdbus; need_python_module dbus
        [ -f /usr/share/lxqt/panel.conf ] || missing "LXQt's stock panel.conf"
        ;;
    plasma) need_tools kwin_x11 kded5 plasmashell dbus-update-activation-environment gdbus; need_python_module dbus ;;
    gnome-x11)
        need_tools gnome-shell dbus-daemon dbus-update-activation-environment gdbus; need_python_module dbus
        [ -d "/usr/share/gnome-shell/extensions/$APPINDICATOR" ] || missing "GNOME Shell's AppIndicator extension"
        ;;
    wayland)
        need_tools weston
        ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 || missing "Qt's Wayland plugin"
        ;;
    *) fail "unknown desktop $DESKTOP" ;;
    esac
    SESSION_DIR=$(mktemp -d)
    SESSION_PIDS=""
    trap 'end_session $?' EXIT
    mkdir -p "$SESSION_DIR/config" "$SESSION_DIR/runtime" "$SESSION_DIR/work"
    chmod 700 "$SESSION_DIR/runtime"
    export XDG_CONFIG_HOME="$SESSION_DIR/config" XDG_RUNTIME_DIR="$SESSION_DIR/runtime"
    export TELLWICK_MAILSLOT_PORT=$(free_udp_port)
    export HOME="$SESSION_DIR"
    # The tests read the program's English texts, whatever the language of the one who runs them.
    export LANGUAGE=en
    unset SESSION_MANAGER
    cd "$SESSION_DIR/work"
    # A test may set up more of the session (its environment, files) before the desktop starts.
    [ -z "${E2E_BEFORE_DESKTOP:-}" ] || "$E2E_BEFORE_DESKTOP"

    exec 3>"$SESSION_DIR/display"
    background Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset
    exec 3>&-
    wait_for "the X server" test -s "$SESSION_DIR/display"
    export DISPLAY=":$(cat "$SESSION_DIR/display")"
    wait_for "the X server to answer" xprop -root
    # Started on the display, the accessibility bus is also named on its root window, where Qt 5
    # programs (the LXQt and Plasma panels) look for it.
    background /usr/libexec/at-spi-bus-launcher --launch-immediately
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    wait_for "the accessibility bus" sh -c 'xprop -root AT_SPI_BUS | grep -q unix:'
    case $DESKTOP in
    wayland) start_weston ;;
    xfce) start_xfce ;;
    lxqt) start_lxqt ;;
    plasma) start_plasma ;;
    gnome-x11) start_gnome_shell ;;
    *) start_window_manager ;;
    esac
}

start_window_manager() {
    # A window manager of its own that starts nothing else; its tray only where one is wanted.
    mkdir -p "$HOME/.icewm"
    if [ "$DESKTOP" = xembed ]; then
        printf 'TaskBarShowTray=1\n' >"$HOME/.icewm/preferences"
    else
        printf 'ShowTaskBar=0\nTaskBarShowTray=0\n' >"$HOME/.icewm/preferences"
    fi
    printf 'TaskBarShowClock=0\nTaskBarShowMailboxStatus=0\nTaskBarShowCPUStatus=0\nTaskBarShowNetStatus=0\nTaskBarShowMEMStatus=0\n' >>"$HOME/.icewm/preferences"
    printf '%s\n' "${E2E_ICEWM_PREFERENCES:-}" >>"$HOME/.icewm/preferences"
    background icewm >"$SESSION_DIR/icewm.log" 2>&1
    wait_for_window_manager
    if [ "$DESKTOP" = xembed ]; then
        wait_for "the tray" tray_window
    else
        # icewm keeps owning the tray selection unless its task bar is gone too: check.
        "$PYTHON" -c 'from Xlib import display; d = display.Display(); exit(d.get_selection_owner(d.intern_atom("_NET_SYSTEM_TRAY_S0")) != 0)' ||
            fail "an XEmbed tray exists"
    fi
    if [ "$DESKTOP" = sni ]; then
        background "$PYTHON" "$E2E_DIR/sni_watcher.py" >"$SESSION_DIR/sni-items"
        wait_for "the StatusNotifierWatcher" grep -q ready "$SESSION_DIR/sni-items"
    fi
}

wait_for_window_manager() {
    wait_tries "${1:-400}" "the window manager" sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
}

# Openbox, LXQt's window manager, and LXQt's panel holding its Status Notifier alone: the stock
# configuration, or it starts empty.
start_lxqt() {
    background openbox >"$SESSION_DIR/openbox.log" 2>&1
    wait_for_window_manager
    mkdir -p "$XDG_CONFIG_HOME/lxqt"
    sed 's/^plugins=.*/plugins=statusnotifier/' /usr/share/lxqt/panel.conf >"$XDG_CONFIG_HOME/lxqt/panel.conf"
    dbus-update-activation-environment --all
    background lxqt-panel >"$SESSION_DIR/panel.log" 2>&1
    # As long as Plasma's panel gets: a loaded machine starts a panel slowly.
    wait_tries 1200 "the panel's tray" tray_host
}

# KWin without compositing, kded5 with the tray's watcher, and plasmashell's default panel.
start_plasma() {
    export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5 XDG_SESSION_TYPE=x11
    export KWIN_COMPOSE=N QT_QUICK_BACKEND=software
    # kglobalaccel and kactivitymanagerd, started by the bus, need the display.
    dbus-update-activation-environment --all
    background kwin_x11 >"$SESSION_DIR/kwin.log" 2>&1
    wait_for_window_manager 1200
    background kded5 >"$SESSION_DIR/kded.log" 2>&1
    wait_tries 1200 "kded" bus_has org.kde.kded5
    # A Plasma session's start-up loads the watcher; kded alone loads it only when asked.
    gdbus call --session --dest org.kde.kded5 --object-path /kded --method org.kde.kded5.loadModule \
        statusnotifierwatcher | grep -q true || fail "kded has no tray watcher"
    background plasmashell >"$SESSION_DIR/panel.log" 2>&1
    wait_tries 1200 "the panel's tray" tray_host
}

APPINDICATOR=ubuntu-appindicators@ubuntu.com

# GNOME Shell gives up without a system bus; an empty one of the session's own that lets it own
# its names will do, and answers its questions for logins and accounts with no such service.
start_system_bus() {
    cat >"$SESSION_DIR/system-bus.conf" <<EOF
<busconfig>
  <type>system</type>
  <listen>unix:path=$SESSION_DIR/system-bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow receive_sender="*"/>
    <allow eavesdrop="true"/>
  </policy>
</busconfig>
EOF
    background dbus-daemon --config-file="$SESSION_DIR/system-bus.conf" --nofork --nopidfile
    export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$SESSION_DIR/system-bus"
    wait_for "the system bus" test -S "$SESSION_DIR/system-bus"
}

# GNOME Shell as the window manager, its AppIndicator extension the tray.
start_gnome_shell() {
    start_system_bus

    # Settings in a file of this session, read by the shell and by what the bus starts for it:
    # the tray extension on, no welcome tour, and neither animations nor banners, which would
    # keep the window out of the screenshots.
    mkdir -p "$XDG_CONFIG_HOME/glib-2.0/settings"
    printf '[org/gnome/shell]\nenabled-extensions=[%s]\nwelcome-dialog-last-shown-version=%s\n' \
        "'$APPINDICATOR'" "'999'" >"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile"
    printf '[org/gnome/desktop/interface]\nenable-animations=false\n%s\nshow-banners=false\n' \
        '[org/gnome/desktop/notifications]' >>"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile"
    export GSETTINGS_BACKEND=keyfile XDG_SESSION_TYPE=x11 XDG_CURRENT_DESKTOP=GNOME
    dbus-update-activation-environment --all
    background gnome-shell --x11 --replace --sm-disable >"$SESSION_DIR/gnome-shell.log" 2>&1
    # Asked, not called: a call to a name nobody owns yet would start another service for it.
    wait_for "the shell's tray" bus_has org.kde.StatusNotifierWatcher
    wait_for "the shell's notifications" bus_has org.freedesktop.Notifications
    # The shell opens its overview once it has started, and then holds every window back in it.
    wait_for "the shell's overview" overview_is true
    wait_for "the shell to leave its overview" leave_overview
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

bus_has() {
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner "$1" | grep -q true
}

# XFCE's window manager and a panel that holds its Status Tray alone. The tray is the desktop's
# StatusNotifierWatcher; it draws an item's menu from what the item exports.
start_xfce() {
    channels="$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
    mkdir -p "$channels"
    cp "$E2E_DIR/xfce4-panel.xml" "$channels/"
    # The bus starts XFCE's settings daemon, which must find the display and these folders.
    dbus-update-activation-environment --all
    background xfwm4 --compositor=off >"$SESSION_DIR/xfwm4.log" 2>&1
    wait_for_window_manager
    background xfce4-panel >"$SESSION_DIR/panel.log" 2>&1
    wait_tries 1200 "the panel's tray" tray_host
}

# A D-Bus tray is up: its StatusNotifierWatcher says that a host draws the items.
tray_host() {
    gdbus call --session --dest org.kde.StatusNotifierWatcher --object-path /StatusNotifierWatcher \
        --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher \
        IsStatusNotifierHostRegistered | grep -q true
}

start_weston() {
    background weston --backend=x11-backend.so --socket=tellwick-e2e --use-pixman \
        --width=1024 --height=768 --idle-time=0 >"$SESSION_DIR/weston.log" 2>&1
    wait_for "Weston" test -S "$XDG_RUNTIME_DIR/tellwick-e2e"
    export WAYLAND_DISPLAY=tellwick-e2e QT_QPA_PLATFORM=wayland
    WAYLAND_ONLY="-u DISPLAY"
    # Keys go to the X window under the pointer: Weston's, which hands them to its focus. A
    # Wayland client does not see the X display.
    xdotool mousemove 1000 700
}

# Repeats a command every 50 ms until it succeeds, for at most 20 s (a loaded machine starts
# its X servers slowly); wait_tries takes the number of tries first.
wait_tries() {
    tries=$1 what=$2
    shift 2
    for _ in $(seq "$tries"); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    fail "waited in vain for $what"
}
wait_for() {
    wait_tries 400 "$@"
}

tray_window() {
    xwininfo -root -tree | grep -q '"SystemTray"'
}

# Starts Tellwick in the background; TELLWICK_PID is its process, MAIN_WINDOW its frame's X
# window (on Wayland there is none: the frame is found through the accessibility bus).
start_tellwick() {
    env ${WAYLAND_ONLY:-} "$TELLWICK" >>"$SESSION_DIR/tellwick.log" 2>&1 &
    TELLWICK_PID=$!
    SESSION_PIDS="$SESSION_PIDS $TELLWICK_PID"
    if [ "$DESKTOP" = wayland ]; then
        wait_for "the main window" window_shown
    else
        wait_for "the main window" main_window
    fi
}

# A second copy of the program, which should only bring the first one's window back.
second_copy() {
    timeout 5 env ${WAYLAND_ONLY:-} "$TELLWICK"
}

# Keys typed into the program's focused window.
type_keys() {
    if [ "$DESKTOP" = wayland ]; then
        xdotool key --clearmodifiers "$@"
    else
        xdotool windowactivate --sync "$MAIN_WINDOW" key --clearmodifiers "$@"
    fi
}

main_window() {
    MAIN_WINDOW=$(xdotool search --all --pid "$TELLWICK_PID" --name '^Tellwick$' | head -1)
    [ -n "$MAIN_WINDOW" ]
}

atspi() {
    "$PYTHON" "$E2E_DIR/atspi.py" "$@"
}

frame_states() {
    atspi states frame Tellwick
}

# Shown, not minimised and not hidden. A Wayland client is never told that its window was
# minimised; the compositor only takes the focus away, so on the test's otherwise empty
# desktop the active window is the shown one.
window_shown() {
    if [ "$DESKTOP" = wayland ]; then
        frame_states | grep -qw active
    else
        is_viewable "$MAIN_WINDOW"
    fi
}

window_gone() {
    ! window_shown
}

is_viewable() {
    xwininfo -id "$1" | grep -q 'Map State: IsViewable'
}

is_not_viewable() {
    ! is_viewable "$1"
}

# The window's client area on the screen: "x y width height".
client_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { print x, y, w, h }'
}

# How far the window manager's frame reaches beyond the window on the left and at the top,
# "left top": from the frame, the window's ancestor just below the root window, to the window.
# Mutter leaves _NET_FRAME_EXTENTS as it was when it takes its frame away.
frame_offsets() {
    frame=$MAIN_WINDOW
    while tree=$(xwininfo -tree -id "$frame") && ! echo "$tree" | grep -q 'Parent window id: .*(the root window)'; do
        frame=$(echo "$tree" | awk '/Parent window id:/ { print $4 }')
    done
    set -- $(client_geometry "$MAIN_WINDOW") $(client_geometry "$frame")
    echo $(($1 - $5)) $(($2 - $6))
}

title_bar_hidden() {
    set -- $(frame_offsets)
    [ "$2" -le "$1" ]
}

title_bar_shown() {
    set -- $(frame_offsets)
    [ "$2" -gt "$1" ]
}

# The tray icon's window as embedded into the window manager's tray.
tray_icon() {
    TRAY_ICON=$(xwininfo -root -tree | awk '/"SystemTray"/ { tray = 1 } tray && /"tellwick"/ { print $1; exit }')
    [ -n "$TRAY_ICON" ]
}

ended() {
    ! kill -0 "$1" 2>/dev/null
}

# A message arrives: sent to this computer, stamped and logged.
logged() {
    tr -d '\r' <Tellwick.log | grep -Eq "^[0-9]{2}/[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} $1\$"
}

screenshot() {
    [ -n "${E2E_SCREENSHOTS}" ] || return 0
    mkdir -p "$E2E_SCREENSHOTS"
    # A picture to look at, not a check: one the X server could not give ends no test.
    import -window root "$E2E_SCREENSHOTS/$1.png" || echo "screenshot $1 not taken" >&2
}
