#!/bin/sh
# Runs every fuzz target for MINUTES each (default 10), starting from its corpus in
# fuzz/corpus/NAME, and keeps there the new inputs that reach code the corpus did not; prints
# the runs and crashes of each target. A crash does not end a target's run: its input is kept in
# BUILD_DIR/fuzz/crashes/NAME/ and the fuzzing goes on.
# Usage: scripts/fuzz.sh [MINUTES]; BUILD_DIR (default build-test) is configured with
# TELLWICK_BUILD_FUZZ=ON, as scripts/test.sh configures it.
set -eu
cd "$(dirname "$0")/.."
MINUTES=${1:-10}
BUILD=$(cd "${BUILD_DIR:-build-test}" && pwd)
SECONDS_EACH=$(awk -v m="$MINUTES" 'BEGIN { printf "%d", m * 60 }')
[ "$SECONDS_EACH" -gt 0 ] || { echo "usage: $0 [MINUTES]" >&2; exit 2; }
[ -d "$BUILD/fuzz" ] || { echo "no fuzz targets in $BUILD: configure with -DTELLWICK_BUILD_FUZZ=ON" >&2; exit 2; }
cmake --build "$BUILD" --target $(sed -n 's/^tellwick_add_fuzz_target(\([a-z_]*\) .*/\1/p' fuzz/CMakeLists.txt) >/dev/null

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp}"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
status=0
printf '%-24s %12s %8s\n' target runs crashes
# Each target is named after its corpus folder: fuzz_color_code works on fuzz/corpus/color_code.
for target in $(sed -n 's/^tellwick_add_fuzz_target(\([a-z_]*\) .*/\1/p' fuzz/CMakeLists.txt); do
    name=${target#fuzz_}
    corpus="$PWD/fuzz/corpus/$name"
    crashes="$BUILD/fuzz/crashes/$name"
    mkdir -p "$corpus" "$crashes" "$WORK/$name"
    # In a forked child, so that a crash is counted and the fuzzing goes on.
    "$BUILD/fuzz/$target" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
        -max_total_time="$SECONDS_EACH" -max_len=4096 -artifact_prefix="$crashes/" \
        "$WORK/$name" "$corpus" >"$WORK/$name.log" 2>&1 || true
    # The corpus keeps only inputs that add coverage.
    "$BUILD/fuzz/$target" -merge=1 -max_len=4096 "$corpus" "$WORK/$name" >>"$WORK/$name.log" 2>&1 || true
    runs=$(sed -n 's/^#\([0-9]*\):.*/\1/p' "$WORK/$name.log" | tail -1)
    found=$(sed -n 's|.*oom/timeout/crash: [0-9]*/[0-9]*/\([0-9]*\).*|\1|p' "$WORK/$name.log" | tail -1)
    printf '%-24s %12s %8s\n' "$target" "${runs:-?}" "${found:-?}"
    [ "${found:-0}" = 0 ] || status=1
done
exit $status
