#!/bin/sh
# Only the linux/ folders of src/platform/'s rooms call the system: nothing else includes a system
# interface header or uses the C library's GNU extensions, and a header of one of those folders
# is included only by the Linux code and by its own room's tests, so that another system's
# implementation can be put beside it without touching a caller.
set -u
SRC=$1/src
TESTS=$1/tests
status=0
system='#include <(sys/|unistd\.h|fcntl\.h|poll\.h|spawn\.h|signal\.h|netdb\.h|ifaddrs\.h|arpa/|netinet/|linux/|avahi-|X11/|xcb/|dbus/)'
offenders=$(grep -rlE "$system" "$SRC" --include='*.h' --include='*.cpp' | grep -v "^$SRC/platform/[^/]*/linux/")
if [ -n "$offenders" ]; then
    echo "FAIL: system headers outside src/platform/*/linux/:" $offenders
    status=1
fi
gnu='\b(memmem|memrchr|strcasestr|rawmemchr|mempcpy|strchrnul)\b'
offenders=$(grep -rlE "$gnu" "$SRC" --include='*.h' --include='*.cpp' | grep -v "^$SRC/platform/[^/]*/linux/")
if [ -n "$offenders" ]; then
    echo "FAIL: GNU extensions of string.h outside src/platform/*/linux/:" $offenders
    status=1
fi
offenders=$(grep -rlE '#include "platform/[^/]+/linux/' "$SRC" "$TESTS" --include='*.h' --include='*.cpp' |
    grep -v "^$SRC/platform/[^/]*/linux/" |
    while read -r file; do
        room=${file#"$TESTS"/platform/}
        room=${room%%/*}
        grep -E '#include "platform/[^/]+/linux/' "$file" | grep -qv "\"platform/$room/linux/" && echo "$file"
    done)
if [ -n "$offenders" ]; then
    echo "FAIL: platform/*/linux/ headers included from outside the Linux code and its tests:" $offenders
    status=1
fi
exit $status
