#!/usr/bin/env bash
# Builds Morvelt and runs every test. The window's tests draw offscreen, so no
# display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

scripts/install-deps.sh "${build_packages[@]}" "${test_packages[@]}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
# Beside a private CUPS scheduler whose default printer is a PDF queue, so
# that printing is tested through a real print system.
scripts/with-cups.sh ctest --test-dir build --output-on-failure -j"$(nproc)"
