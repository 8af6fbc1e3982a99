#!/bin/sh
# Installs what is missing, then, each step timed:
# 1. builds Tellwick, its tests and fuzz targets with AddressSanitizer and UndefinedBehaviorSanitizer
#    (clang, Debug) and runs every test but the package's two;
# 2. checks the C++ files changed against main with clang-tidy (scripts/tidy.sh);
# 3. builds it all again with GCC in Release, the benchmarks too (none is run), and runs the tests
#    that need no desktop there;
# 4. builds the Debian package and runs Tellwick installed from it (ctest's label package).
# Warnings are errors in both builds.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$(pwd)/tests/lsan.supp}"

# Runs the rest of the line, then tells how long it took.
step() {
    name=$1
    shift
    start=$(date +%s)
    "$@"
    echo "== $name: $(($(date +%s) - start)) s"
}

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTELLWICK_SANITIZE=ON -DTELLWICK_BUILD_FUZZ=ON -DTELLWICK_WERROR=ON >/dev/null
step "clang build" cmake --build build-test
step "clang tests" ctest --test-dir build-test --output-on-failure --timeout 300 -j 2
step "clang-tidy" scripts/tidy.sh build-test

# The fuzz targets need clang's libFuzzer: this build leaves them out.
cmake -S . -B build-gcc -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ \
    -DTELLWICK_BUILD_BENCH=ON -DTELLWICK_WERROR=ON >/dev/null
step "GCC Release build" cmake --build build-gcc
step "GCC Release tests" ctest --test-dir build-gcc --output-on-failure --timeout 300 -j 2 \
    --label-exclude 'e2e|wine'

# Builds the program again, with both cores: alone, after everything else.
step "package" ctest --test-dir build-test --output-on-failure --timeout 300 -C package -L package
