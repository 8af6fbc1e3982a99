#!/bin/sh
# Closing stores "WindowPos" and the next start puts the window back there; a SIGTERM closes
# the same way.
. "$(dirname "$0")/session.sh"
start_session
STORE="$XDG_CONFIG_HOME/Orvosoft/Tellwick.reg"

# The window's client area on the screen: "x y width height".
client_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { print x, y, w, h }'
}

ended() {
    ! kill -0 "$1" 2>/dev/null
}

start_tellwick
xdotool windowsize --sync "$MAIN_WINDOW" 430 270
xdotool windowmove --sync "$MAIN_WINDOW" 210 160
sleep 0.3
placed=$(client_geometry "$MAIN_WINDOW")
xdotool windowactivate --sync "$MAIN_WINDOW" key --clearmodifiers alt+F4
wait_for "the program to end" ended "$TELLWICK_PID"
set -- $placed
grep -q "^\"WindowPos\"=\"0,1,-1,-1,-1,-1,$1,$2,$(($1 + $3)),$(($2 + $4))\"" "$STORE" ||
    fail "stored $(grep WindowPos "$STORE"), placed at $placed"

start_tellwick
[ "$(client_geometry "$MAIN_WINDOW")" = "$placed" ] ||
    fail "opened at $(client_geometry "$MAIN_WINDOW"), closed at $placed"
screenshot placement-restored

xdotool windowmove --sync "$MAIN_WINDOW" 40 60
sleep 0.3
moved=$(client_geometry "$MAIN_WINDOW")
kill -TERM "$TELLWICK_PID"
wait_for "the program to end" ended "$TELLWICK_PID"
set -- $moved
grep -q "^\"WindowPos\"=\"0,1,-1,-1,-1,-1,$1,$2," "$STORE" || fail "SIGTERM stored $(grep WindowPos "$STORE")"
