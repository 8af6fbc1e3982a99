#!/bin/sh
# Installs what is missing, builds Tellwick and starts it (it then lives in the tray).
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTELLWICK_BUILD_TESTS=OFF >/dev/null
cmake --build build
exec build/src/app/tellwick "$@"
