#!/bin/sh
# Installs what is missing, builds Tellwick and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang, so the fuzz targets build too) and runs every test.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTELLWICK_SANITIZE=ON -DTELLWICK_BUILD_FUZZ=ON >/dev/null
cmake --build build-test
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$(pwd)/tests/lsan.supp}"
cd build-test
ctest --output-on-failure --timeout 300 -j 2
