# Sourced first by a test that needs root and a network namespace of its own: outside one, it
# runs the test again inside one and ends with its status. Without root, namespaces or one of
# the tools named in OWN_NETWORK_TOOLS the test is skipped (77), and under CI it fails.
if [ -z "${TELLWICK_OWN_NETWORK:-}" ]; then
    status=0
    if [ "$(id -u)" -ne 0 ] || ! unshare -n true 2>/dev/null; then
        echo "no root and network namespaces here"
        status=77
    else
        for tool in $OWN_NETWORK_TOOLS; do
            command -v "$tool" >/dev/null 2>&1 || { echo "no $tool here (scripts/install-deps.sh --test installs it)"; status=77; }
        done
    fi
    if [ "$status" -eq 0 ]; then
        TELLWICK_OWN_NETWORK=1 unshare -n sh "$0" || status=$?
    fi
    [ "$status" -eq 77 ] && [ "${CI:-}" = true ] && status=1
    exit "$status"
fi
