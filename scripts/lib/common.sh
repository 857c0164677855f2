# SPDX-License-Identifier: MIT
# Shared by scripts/test and scripts/demo: package installation and the CMake build.
# shellcheck shell=bash

VITALUNE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export VITALUNE_ROOT

log() { printf '== %s\n' "$*" >&2; }

# Installs the packages of scripts/packages.txt that are not installed yet; with --demo
# only its first group (up to the first blank line after a package), which builds and shows
# the programs.
ensure_packages() {
    local wanted missing=()
    if [ "${1:-}" = --demo ]; then
        wanted=$(awk '/^[a-z0-9]/ { seen = 1; print; next } seen && /^\s*$/ { exit }' \
            "$VITALUNE_ROOT/scripts/packages.txt")
    else
        wanted=$(grep -v -E '^\s*(#|$)' "$VITALUNE_ROOT/scripts/packages.txt")
    fi
    for p in $wanted; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "missing packages (${missing[*]}); run as root or install them first" >&2
        return 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # The packages' own services (cupsd, the system bus) start as any install starts them,
    # or not at all in a container without an init: the tests use private ones on their
    # own sockets, which the system's do not disturb. The machine's service policy
    # (/usr/sbin/policy-rc.d) is left as it is.
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# build DIR [cmake options...]: configures and builds the project into DIR, as a developer
# build (warnings are errors, benchmarks included).
build_tree() {
    local dir=$1
    shift
    log "building in $dir"
    cmake -S "$VITALUNE_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVITALUNE_DEVELOPER=ON "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}

# Services started by the scripts are stopped when the script exits.
_cleanups=()
on_exit() { _cleanups+=("$*"); }
_run_cleanups() {
    local i
    for ((i = ${#_cleanups[@]} - 1; i >= 0; i--)); do eval "${_cleanups[i]}" || true; done
}
trap _run_cleanups EXIT

# Starts every service of scripts/services/ (each file starts one and exports its address).
start_services() {
    local f
    for f in "$VITALUNE_ROOT"/scripts/services/*.sh; do
        [ -e "$f" ] || continue
        # shellcheck disable=SC1090
        source "$f"
    done
}
