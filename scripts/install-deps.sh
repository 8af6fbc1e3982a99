#!/bin/sh
# Installs the Debian packages that Tellwick needs to build and run, and with --test those its
# tests need too; --list prints them instead (--test-only: the test packages alone). Quiet when
# all are there already; safe to run again.
set -eu

# What building and running Tellwick needs (scripts/run.sh installs it): the compiler, CMake,
# Ninja, Qt with its Wayland platform, its translation tools and its own catalogues, Avahi's
# client library and XCB.
BUILD_PACKAGES="cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev qt6-wayland qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    libavahi-client-dev libxcb1-dev"

# What the tests, fuzz targets, benchmarks and the Debian package need on top (scripts/test.sh).
TEST_PACKAGES="
    clang clang-tidy libclang-rt-14-dev
    libgtest-dev libgmock-dev libbenchmark-dev qt6-qpa-plugins fonts-dejavu-core
    xvfb xauth icewm xdotool x11-utils imagemagick iproute2 util-linux libcap2-bin passwd
    weston dbus-daemon libglib2.0-bin at-spi2-core python3-pyatspi python3-dbus
    python3-gi python3-xlib desktop-file-utils dunst adwaita-qt6
    xfce4-panel xfwm4 lxqt-panel openbox kwin-x11 kded5 plasma-workspace plasma-desktop
    gnome-shell gnome-shell-extension-appindicator gjs dbus-bin
    wine64 wine python3-samba tshark wireshark-common coreutils samba samba-common-bin
    avahi-daemon avahi-utils
    debhelper build-essential dpkg-dev lintian appstream man-db
    ufw python3-firewall locales"

PACKAGES=$BUILD_PACKAGES
list=false
for arg; do
    case $arg in
    --test) PACKAGES="$BUILD_PACKAGES $TEST_PACKAGES" ;;
    --test-only) PACKAGES=$TEST_PACKAGES ;;
    --list) list=true ;;
    *) echo "usage: $0 [--test] [--list [--test-only]]" >&2; exit 2 ;;
    esac
done
if $list; then
    printf '%s\n' $PACKAGES
    exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

# The whole-program test of the German texts runs in a German locale, which locale-gen makes.
german_locale() {
    [ "$PACKAGES" = "$BUILD_PACKAGES" ] && return 0
    locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8' && return 0
    echo "Generating the locale de_DE.UTF-8"
    $sudo sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    $sudo locale-gen >/dev/null
}

missing=""
for package in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing="$missing $package"
done
if [ -z "$missing" ]; then
    german_locale
    exit 0
fi

echo "Installing:$missing"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
german_locale
