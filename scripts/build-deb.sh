#!/bin/sh
# Builds the Debian package from a copy of the source tree, so that neither the tree nor the
# folder above it gets the build's files, and checks the result with lintian.
# Usage: scripts/build-deb.sh [OUTDIR]   (default build-deb); the .deb files land in OUTDIR.
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$source_dir/build-deb}

# A test that cannot run hides a fault: under CI it fails, elsewhere it skips (status 77).
for tool in dpkg-buildpackage dh lintian; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "no $tool here (scripts/install-deps.sh --test installs it)" >&2
        [ "${CI:-}" = true ] && exit 1
        exit 77
    fi
done

mkdir -p "$out"
out=$(cd "$out" && pwd)
rm -rf "$out/tellwick" "$out"/*.deb "$out"/*.changes "$out"/*.buildinfo
mkdir "$out/tellwick"
# What a fresh clone holds, with the changes not yet committed: tracked and new files that git
# does not ignore (never a build folder), else the whole tree less its build folders.
cd "$source_dir"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard |
        tar --null --files-from=- --ignore-failed-read -cf -
else
    tar --exclude='./build*' --exclude=./.git -cf - .
fi | tar -xf - -C "$out/tellwick"

cd "$out/tellwick"
# Two jobs unless told otherwise: the build machines' cores are shared.
DEB_BUILD_OPTIONS=${DEB_BUILD_OPTIONS:-parallel=2} dpkg-buildpackage -us -uc -b
cd "$out"
lintian --fail-on error,warning --display-info ./*.changes
