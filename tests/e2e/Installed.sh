#!/bin/sh
# Tellwick as a user gets it: installed into a temporary prefix with cmake --install
# (TELLWICK_INSTALL=prefix, from the build folder TELLWICK_BUILD_DIR), or unpacked from the
# built Debian package with dpkg-deb -x (TELLWICK_INSTALL=deb, the .deb in TELLWICK_DEB_DIR).
# The desktop finds the entry, its icon and the manuals in the prefix; the installed programs
# answer on the command line; the installed program's window shows the installed icon, a
# message sent with the installed tellwick-send arrives, and Help opens the installed page.
. "$(dirname "$0")/session.sh"
need_tools man convert desktop-file-validate appstreamcli ufw
need_python_module firewall
case ${TELLWICK_INSTALL:-} in
prefix) need_tools cmake ;;
deb) need_tools dpkg-deb ;;
*) fail "TELLWICK_INSTALL is neither prefix nor deb" ;;
esac
APP_ID=org.orvosoft.Tellwick

# Installed before the desktop starts, which then finds the program, its entry and its icons
# in the prefix as in /usr.
install_tellwick() {
    ROOT="$SESSION_DIR/root"
    PREFIX="$ROOT/usr"
    if [ "$TELLWICK_INSTALL" = prefix ]; then
        cmake --install "$TELLWICK_BUILD_DIR" --prefix "$PREFIX" >/dev/null || fail "cmake --install failed"
    else
        set -- "$TELLWICK_DEB_DIR"/tellwick_*.deb
        [ -f "$1" ] || fail "no tellwick_*.deb in $TELLWICK_DEB_DIR"
        dpkg-deb -x "$1" "$ROOT" || fail "dpkg-deb -x $1 failed"
    fi
    # Help's page is opened by the desktop: an xdg-open of our own, found first, notes what.
    mkdir "$SESSION_DIR/bin"
    printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\n' "$SESSION_DIR/opened" >"$SESSION_DIR/bin/xdg-open"
    chmod +x "$SESSION_DIR/bin/xdg-open"
    export PATH="$SESSION_DIR/bin:$PREFIX/bin:$PATH" XDG_DATA_DIRS="$PREFIX/share:/usr/share"
    # icewm looks for icons in /usr/share/icons and /usr/local/share/icons unless told.
    E2E_ICEWM_PREFERENCES="IconPath=\"$PREFIX/share/icons:/usr/share/icons:/usr/share/pixmaps\""
}
E2E_BEFORE_DESKTOP=install_tellwick
start_session

# The desktop entry leads to the installed program and to the icon at every size of the theme;
# the metainfo names the entry.
ENTRY="$PREFIX/share/applications/$APP_ID.desktop"
[ -f "$ENTRY" ] || fail "no desktop entry $ENTRY"
entry_key() {
    sed -n "s/^$1=//p" "$ENTRY"
}
program=$(PATH="$PREFIX/bin" command -v "$(entry_key Exec)") || fail "Exec=$(entry_key Exec) is not in $PREFIX/bin"
[ "$program" = "$PREFIX/bin/tellwick" ] || fail "Exec= starts $program"
THEME="$PREFIX/share/icons/hicolor"
icon=$(entry_key Icon)
[ -f "$THEME/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon"
for size in 16 24 32 48 64 128 256; do
    png="$THEME/${size}x$size/apps/$icon.png"
    [ "$(identify -format %wx%h "$png" 2>/dev/null)" = "${size}x$size" ] || fail "no ${size}x$size icon $png"
done
METAINFO="$PREFIX/share/metainfo/$APP_ID.metainfo.xml"
grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$METAINFO" ||
    fail "the metainfo does not name $APP_ID.desktop"
# As installed, the entry and the metainfo pass the desktop's own checkers.
remarks=$(desktop-file-validate "$ENTRY" 2>&1) && [ -z "$remarks" ] || fail "desktop-file-validate: $remarks"
appstreamcli validate --no-net --strict "$METAINFO" >/dev/null || fail "appstreamcli: $(appstreamcli validate --no-net "$METAINFO")"

# man finds both manuals in the prefix and renders them without a warning.
for page in tellwick tellwick-send; do
    found=$(MANPATH="$PREFIX/share/man" man -w "$page") || fail "man does not find $page(1)"
    case $found in "$PREFIX"/*) ;; *) fail "man found $page(1) at $found" ;; esac
    warnings=$(MANWIDTH=80 man --warnings -l "$found" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page(1): $warnings"
done

# The firewalls find the ports to open where they look for them, each read by the firewall's own
# code: ufw's application profiles (in /etc from the package) and firewalld's services.
[ "$TELLWICK_INSTALL" = prefix ] && ETC="$PREFIX/etc" || ETC="$ROOT/etc"
if [ "$(id -u)" -ne 0 ]; then
    # ufw reads profiles for root only.
    [ "${CI:-}" = true ] && fail "not root: ufw cannot read the profiles"
    echo "not root: the ufw profiles are not read"
else
    # ufw's configuration as this machine has it, with no profiles but the installed ones.
    UFW_DATA="$SESSION_DIR/ufw"
    mkdir -p "$UFW_DATA/etc/default" "$UFW_DATA/lib/ufw"
    cp -r /etc/ufw "$UFW_DATA/etc/" && cp /etc/default/ufw "$UFW_DATA/etc/default/" || fail "no ufw configuration to copy"
    rm -rf "$UFW_DATA/etc/ufw/applications.d"
    cp -r "$ETC/ufw/applications.d" "$UFW_DATA/etc/ufw/" || fail "no ufw profiles in $ETC/ufw/applications.d"
    for profile in "Tellwick=10138/udp" "Tellwick NetBIOS=137,138/udp"; do
        info=$(ufw --datadir="$UFW_DATA" app info "${profile%%=*}" 2>&1) || fail "ufw: $info"
        [ "$(echo "$info" | sed -n 's/^  \([0-9]\)/\1/p')" = "${profile#*=}" ] || fail "ufw: $info"
    done
fi
for service in tellwick=10138/udp tellwick-netbios=137/udp,138/udp; do
    ports=$("$PYTHON" -c '
import sys
from firewall.core.io.service import service_reader
service = service_reader(sys.argv[1] + ".xml", sys.argv[2])
print(",".join(port + "/" + protocol for port, protocol in service.ports))
' "${service%%=*}" "$PREFIX/lib/firewalld/services" 2>&1) || fail "firewalld: $ports"
    [ "$ports" = "${service#*=}" ] || fail "firewalld's service ${service%%=*} opens $ports"
done

# The installed programs' command lines; a wrong option starts nothing, not even without a display.
[ "$("$PREFIX/bin/tellwick" --version)" = "Tellwick $TELLWICK_VERSION" ] || fail "tellwick --version: $("$PREFIX/bin/tellwick" --version)"
[ "$("$PREFIX/bin/tellwick-send" --version)" = "tellwick-send (Tellwick) $TELLWICK_VERSION" ] || fail "tellwick-send --version"
status=0
errors=$(env -u DISPLAY "$PREFIX/bin/tellwick" --no-such-option 2>&1 >/dev/null) || status=$?
[ "$status" = 2 ] || fail "tellwick --no-such-option ended with $status"
echo "$errors" | grep -q "Unknown option 'no-such-option'" || fail "tellwick --no-such-option said: $errors"
# Outside a desktop session it says why in one line and ends, instead of Qt's core dump.
status=0
errors=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$PREFIX/bin/tellwick" 2>&1 >/dev/null) || status=$?
[ "$status" = 1 ] && [ "$(printf '%s\n' "$errors" | wc -l)" = 1 ] && echo "$errors" | grep -q "needs a desktop session" ||
    fail "tellwick without a display ended with $status: $errors"

TELLWICK="$PREFIX/bin/tellwick"
start_tellwick

# The desktop's menu lists the entry, read from XDG_DATA_DIRS, with its icon (the screenshot).
need_tools icewm-menu-fdo
icewm-menu-fdo | grep -q "^prog \"Tellwick\" $APP_ID tellwick\$" || fail "the menu has no Tellwick: $(icewm-menu-fdo)"
menus_open() {
    [ "$(xwininfo -root -tree | grep -c '"IceMenu"')" -ge "$1" ]
}
xdotool key ctrl+Escape
wait_for "the desktop's menu" menus_open 1
xdotool key n Right
wait_for "the Network > InstantMessaging menu" menus_open 3
screenshot "installed-$TELLWICK_INSTALL-menu"
xdotool key Escape Escape Escape

sizes=$("$PYTHON" "$E2E_DIR/window_icon.py" "$MAIN_WINDOW" "$THEME" "$icon") || fail "the window's icon is not the installed one"
echo "the window's icon is the installed one at $sizes"

# "Run Tellwick at startup" writes an autostart entry that starts the program the menu entry
# starts, with the menu entry's icon.
type_keys ctrl+p
wait_for "the Properties sheet" atspi states dialog "Tellwick Properties"
atspi do "check box" "Run Tellwick at startup"
# The box's action is a click that Qt animates: it ticks the box a moment later.
startup_ticked() {
    atspi states "check box" "Run Tellwick at startup" | grep -qw checked
}
wait_for "the box to be ticked" startup_ticked
xdotool key Return
AUTOSTART="$XDG_CONFIG_HOME/autostart/Tellwick.desktop"
wait_for "the autostart entry $AUTOSTART" test -s "$AUTOSTART"
sheet_closed() {
    ! atspi states dialog "Tellwick Properties"
}
wait_for "the sheet to close" sheet_closed
desktop-file-validate "$AUTOSTART" || fail "the autostart entry is not valid: $(cat "$AUTOSTART")"
autostart_key() {
    sed -n "s/^$1=//p" "$AUTOSTART"
}
[ "$(autostart_key Exec)" = "\"$(realpath "$program")\"" ] ||
    fail "the autostart entry runs $(autostart_key Exec), the menu entry $program"
[ "$(autostart_key Icon)" = "$icon" ] || fail "the autostart entry shows icon $(autostart_key Icon), the menu entry $icon"

"$PREFIX/bin/tellwick-send" localhost "installed hello" || fail "the installed tellwick-send failed"
wait_for "the stamped line in Tellwick.log" logged "installed hello"

atspi do "menu item" "Help Topics"
wait_for "the desktop to be asked to open the help page" test -s "$SESSION_DIR/opened"
[ "$(cat "$SESSION_DIR/opened")" = "file://$PREFIX/share/tellwick/Tellwick.html" ] ||
    fail "Help opened $(cat "$SESSION_DIR/opened")"
[ -f "$PREFIX/share/tellwick/Tellwick.html" ] || fail "no help page installed"

atspi do "menu item" Exit
wait_for "the program to end" ended "$TELLWICK_PID"
