#!/bin/sh
# Only src/platform/linux/ calls the system: nothing else includes a system interface header,
# and nothing outside it (but its own tests) includes one of its headers, so that another
# system's implementation can be put beside it without touching a caller.
set -u
SRC=$1/src
TESTS=$1/tests
status=0
system='#include <(sys/|unistd\.h|fcntl\.h|poll\.h|spawn\.h|signal\.h|netdb\.h|ifaddrs\.h|arpa/|netinet/|linux/|avahi-|X11/|xcb/|dbus/)'
offenders=$(grep -rlE "$system" "$SRC" --include='*.h' --include='*.cpp' | grep -v "^$SRC/platform/linux/")
if [ -n "$offenders" ]; then
    echo "FAIL: system headers outside src/platform/linux/:" $offenders
    status=1
fi
offenders=$(grep -rl '#include "platform/linux/' "$SRC" "$TESTS" --include='*.h' --include='*.cpp' |
    grep -v -e "^$SRC/platform/linux/" -e "^$TESTS/platform/")
if [ -n "$offenders" ]; then
    echo "FAIL: platform/linux/ headers included from outside it:" $offenders
    status=1
fi
exit $status
