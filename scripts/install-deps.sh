#!/bin/sh
# Installs the Debian packages that Tellwick needs to build, run and test. Quiet when all are
# there already; safe to run again.
set -eu

PACKAGES="cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
    qt6-base-dev qt6-svg-dev qt6-qpa-plugins libavahi-client-dev libxcb1-dev fonts-dejavu-core
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth icewm xdotool x11-utils imagemagick iproute2 util-linux passwd
    qt6-wayland weston dbus-daemon libglib2.0-bin at-spi2-core python3-pyatspi python3-dbus
    python3-gi python3-xlib desktop-file-utils wine64 wine python3-samba tshark wireshark-common coreutils
    debhelper build-essential dpkg-dev lintian appstream man-db
    avahi-daemon avahi-utils dunst samba"

missing=""
for package in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing="$missing $package"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
