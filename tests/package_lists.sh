#!/bin/sh
# What scripts/run.sh installs names no tool that only the tests use and is enough to build the
# program; what scripts/test.sh installs is enough to build and check the Debian package.
# Test-only are the packages of install-deps.sh's test packages and those that debian/control needs
# only for the package's tests (<!nocheck>).
set -u
ROOT=$1
status=0
fail() {
    echo "FAIL: $*"
    status=1
}

# What a script installs, asked of install-deps.sh with the flags that the script gives it.
installed_by() {
    flags=$(sed -n 's|^scripts/install-deps\.sh||p' "$ROOT/scripts/$1")
    sh "$ROOT/scripts/install-deps.sh" $flags --list | sort -u
}
run=$(installed_by run.sh)
tests=$(installed_by test.sh)
[ -n "$run" ] || fail "run.sh installs nothing"
# debian/control's Build-Depends, one a line: "name" or "name <!nocheck>".
build_depends=$(sed -n '/^Build-Depends:/,/^[A-Z]/p' "$ROOT/debian/control" | sed '$d' |
    sed 's/^Build-Depends://' | tr ',' '\n' | sed 's/([^)]*)//; s/^ *//; s/ *$//' | grep .)
test_only=$({
    sh "$ROOT/scripts/install-deps.sh" --list --test-only
    echo "$build_depends" | sed -n 's/ *<!nocheck>$//p'
} | grep . | sort -u)

for package in $run; do
    echo "$test_only" | grep -qx "$package" && fail "run.sh installs $package, which only the tests use"
done
for package in $(echo "$build_depends" | grep -v '<!nocheck>' | grep -vx debhelper-compat); do
    echo "$run" | grep -qx "$package" || fail "run.sh does not install $package, which building needs"
done
# scripts/build-deb.sh runs dpkg-buildpackage, dh and lintian.
for package in $(echo "$build_depends" | sed 's/ .*//' | grep -vx debhelper-compat) dpkg-dev debhelper lintian; do
    echo "$tests" | grep -qx "$package" || fail "test.sh does not install $package, which the package test needs"
done
exit $status
