#!/bin/sh
# Installs the Debian packages that Tellwick needs to build and run (packages-build.txt), and
# with --test those its tests need too (packages-test.txt). --list prints them instead. Quiet
# when all are there already; safe to run again.
set -eu
lists="$(dirname "$0")/packages-build.txt"
list=false
for arg; do
    case $arg in
    --test) lists="$lists $(dirname "$0")/packages-test.txt" ;;
    --list) list=true ;;
    *) echo "usage: $0 [--test] [--list]" >&2; exit 2 ;;
    esac
done
PACKAGES=$(sed 's/#.*//' $lists)
if $list; then
    printf '%s\n' $PACKAGES
    exit 0
fi

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
