#!/usr/bin/env bash
# Builds Morvelt and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

scripts/install-deps.sh "${build_packages[@]}"
# The same build as the test command's last pass (the `default` preset).
cmake --preset default >/dev/null
cmake --build --preset default --target morvelt -j"$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Morvelt is built (build/app/morvelt) but there is no display to show its window on." >&2
    exit 1
fi
exec build/app/morvelt
