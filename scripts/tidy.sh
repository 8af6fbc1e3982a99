#!/bin/sh
# Runs clang-tidy with the checks of .clang-tidy over the C++ files changed against the merge base
# with main; on main itself (as in CI) over those its last commit changed, against its first
# parent; TIDY_ALL=1 checks every file (some 15 minutes on two cores). Any finding fails. A
# changed header is checked through the .cpp beside it.
# Usage: scripts/tidy.sh [BUILD]   (default build-test: a clang build folder, built, whose
# compile_commands.json and generated headers clang-tidy reads)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build-test}
tidy=$(command -v clang-tidy-14 || command -v clang-tidy) || {
    echo "no clang-tidy here (scripts/install-deps.sh --test installs it)" >&2
    exit 1
}

base=""
for branch in main origin/main; do
    base=$(git merge-base "$branch" HEAD 2>/dev/null) && break
done
[ "$base" != "$(git rev-parse HEAD)" ] || base=$(git rev-parse -q --verify HEAD^1) || base=""
if [ "${TIDY_ALL:-}" = 1 ]; then
    changed=$(git ls-files '*.cpp')
elif [ -n "$base" ]; then
    changed=$(git diff --name-only --diff-filter=d "$base" -- '*.cpp' '*.h' | sed 's/\.h$/.cpp/')
else
    # A clone of one commit alone has nothing to compare with.
    echo "clang-tidy: no earlier commit to compare with (TIDY_ALL=1 checks every file)"
    exit 0
fi
# Only the files that the build compiles (the fuzz targets, say, only in a clang build with them).
files=$(python3 -c '
import json, os, sys
known = {os.path.realpath(e["file"]) for e in json.load(open(sys.argv[1]))}
print("\n".join(f for f in sys.argv[2:] if os.path.realpath(f) in known))
' "$build/compile_commands.json" $changed)
if [ -z "$files" ]; then
    echo "clang-tidy: no changed C++ file to check"
    exit 0
fi
echo "clang-tidy: checking $(echo "$files" | wc -l) files"
# Each file's findings are printed whole, and only when it has any (its count of warnings in Qt's
# headers, which it does not report, otherwise floods the output).
echo "$files" | xargs -P 2 -I '{}' sh -c '
    out=$("$0" -p "$1" --quiet --warnings-as-errors="*" "$2" 2>&1) || { printf "%s\n" "$out"; exit 1; }
' "$tidy" "$build" '{}' || { echo "clang-tidy found faults (above)" >&2; exit 1; }
