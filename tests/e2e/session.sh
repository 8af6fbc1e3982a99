# Shared by the whole-program tests: a private X display with a window manager that has a tray,
# private configuration, runtime and working folders, and a free mailslot port.
# Usage: . session.sh; start_session; ... The session ends with the test's shell.
set -eu

E2E_SCREENSHOTS=${E2E_SCREENSHOTS:-}

fail() {
    echo "FAIL: $*" >&2
    [ -n "${E2E_SCREENSHOTS}" ] && screenshot "failure-$(basename "$0" .sh)" || true
    exit 1
}

end_session() {
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

start_session() {
    for tool in Xvfb icewm xdotool xwininfo xprop import ss; do
        command -v "$tool" >/dev/null || { echo "no $tool here: skipped"; exit 77; }
    done
    SESSION_DIR=$(mktemp -d)
    SESSION_PIDS=""
    trap end_session EXIT
    mkdir -p "$SESSION_DIR/config" "$SESSION_DIR/runtime" "$SESSION_DIR/work"
    chmod 700 "$SESSION_DIR/runtime"
    export XDG_CONFIG_HOME="$SESSION_DIR/config" XDG_RUNTIME_DIR="$SESSION_DIR/runtime"
    export TELLWICK_MAILSLOT_PORT=$(free_udp_port)
    export HOME="$SESSION_DIR"
    unset DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER
    cd "$SESSION_DIR/work"

    exec 3>"$SESSION_DIR/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    SESSION_PIDS="$!"
    exec 3>&-
    for _ in $(seq 100); do
        [ -s "$SESSION_DIR/display" ] && break
        sleep 0.05
    done
    export DISPLAY=":$(cat "$SESSION_DIR/display")"
    # A window manager of its own, with a tray, that starts nothing else.
    mkdir -p "$HOME/.icewm"
    printf 'TaskBarShowTray=1\nTaskBarShowClock=0\nTaskBarShowMailboxStatus=0\nTaskBarShowCPUStatus=0\nTaskBarShowNetStatus=0\nTaskBarShowMEMStatus=0\n' >"$HOME/.icewm/preferences"
    icewm >/dev/null 2>&1 &
    SESSION_PIDS="$SESSION_PIDS $!"
    wait_for "the tray" tray_window
}

# Repeats a command every 50 ms until it succeeds, for at most 10 s.
wait_for() {
    what=$1
    shift
    for _ in $(seq 200); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    fail "waited in vain for $what"
}

tray_window() {
    xwininfo -root -tree | grep -q '"SystemTray"'
}

# Starts Tellwick in the background; TELLWICK_PID is its process.
start_tellwick() {
    "$TELLWICK" >>"$SESSION_DIR/tellwick.log" 2>&1 &
    TELLWICK_PID=$!
    SESSION_PIDS="$SESSION_PIDS $TELLWICK_PID"
    wait_for "the main window" main_window
}

main_window() {
    MAIN_WINDOW=$(xdotool search --all --pid "$TELLWICK_PID" --name '^Tellwick$' | head -1)
    [ -n "$MAIN_WINDOW" ]
}

is_viewable() {
    xwininfo -id "$1" | grep -q 'Map State: IsViewable'
}

is_not_viewable() {
    ! is_viewable "$1"
}

# The tray icon's window as embedded into the window manager's tray.
tray_icon() {
    TRAY_ICON=$(xwininfo -root -tree | awk '/"SystemTray"/ { tray = 1 } tray && /"tellwick"/ { print $1; exit }')
    [ -n "$TRAY_ICON" ]
}

screenshot() {
    [ -n "${E2E_SCREENSHOTS}" ] || return 0
    mkdir -p "$E2E_SCREENSHOTS"
    import -window root "$E2E_SCREENSHOTS/$1.png"
}
