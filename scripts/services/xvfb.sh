# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# One private X display (Xvfb) for the tests that show real windows, such as the
# end-to-end tests of the plug-in. The tests take turns on it (ctest RESOURCE_LOCK).
# Exports:
#   VITALUNE_TEST_DISPLAY  the display, e.g. ":37"
# Without Xvfb the tests that need it start their own display or skip.

_vitalune_xvfb_start() {
    if ! command -v Xvfb >/dev/null; then
        log "xvfb: not started (no Xvfb)"
        return 0
    fi
    local dir pid i number=""
    dir=$(mktemp -d "${TMPDIR:-/tmp}/vitalune-xvfb.XXXXXX")
    # Xvfb picks a free display number and writes it to the given descriptor.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" \
        >"$dir/xvfb.log" 2>&1 &
    pid=$!
    on_exit "kill $pid 2>/dev/null; wait $pid 2>/dev/null; rm -rf '$dir'"
    for ((i = 0; i < 100; i++)); do
        number=$(head -n 1 "$dir/display" 2>/dev/null || true)
        [ -n "$number" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$number" ]; then
        log "xvfb: the display did not start; see below"
        cat "$dir/xvfb.log" >&2 || true
        return 1
    fi
    export VITALUNE_TEST_DISPLAY=":$number"
    log "xvfb: display $VITALUNE_TEST_DISPLAY"
}

_vitalune_xvfb_start
