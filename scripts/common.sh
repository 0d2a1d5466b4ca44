# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the entry-point scripts: where things are, installing packages, building.
# Sourced, not run.
set -euo pipefail

LUMIVANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
LUMIVANE_BUILD_DIR=${LUMIVANE_BUILD_DIR:-$LUMIVANE_ROOT/build}
LUMIVANE_JOBS=${LUMIVANE_JOBS:-$(nproc 2>/dev/null || echo 2)}

say() { printf '==> %s\n' "$*" >&2; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the Debian packages of scripts/packages.txt that are missing (and any given here).
ensure_packages() {
    local wanted missing=()
    wanted=$(grep -v -E '^\s*(#|$)' "$LUMIVANE_ROOT/scripts/packages.txt")
    for pkg in $wanted "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        say "installing ${#missing[@]} Debian packages: ${missing[*]}"
        as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# Configures (once) and builds the given targets, or everything.
build_project() {
    local dir=${BUILD_DIR_OVERRIDE:-$LUMIVANE_BUILD_DIR}
    # Configured once; options given later are applied to the existing folder.
    if [ ! -f "$dir/build.ninja" ]; then
        say "configuring in $dir"
        cmake -S "$LUMIVANE_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${LUMIVANE_CMAKE_ARGS:-} >&2
    elif [ -n "${LUMIVANE_CMAKE_ARGS:-}" ]; then
        cmake -S "$LUMIVANE_ROOT" -B "$dir" ${LUMIVANE_CMAKE_ARGS} >/dev/null
    fi
    say "building${*:+ $*}"
    if [ $# -gt 0 ]; then
        cmake --build "$dir" -j "$LUMIVANE_JOBS" --target "$@" >&2
    else
        cmake --build "$dir" -j "$LUMIVANE_JOBS" >&2
    fi
}
