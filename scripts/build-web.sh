#!/usr/bin/env bash
# Builds Morvelt's page for the browser and makes build-web/site/, a static
# folder that any web server can serve: the page (index.html, page.js,
# page.css), the window model and the calculation as a module (morvelt.js,
# morvelt.wasm), the face (freesans*.woff2), the licences, and copies
# compressed with brotli (.br) and gzip (.gz) for servers that send them.
#
#   scripts/build-web.sh
#
# Everything comes from Debian's archive: Emscripten (emscripten), the face
# (fonts-freefont-ttf) and its cutter (python3-fonttools). No Qt: the page is
# the browser's own HTML. GoogleTest for the browser, for the calculation's
# tests, is built once per machine into a cache outside the repository
# (scripts/web-paths.sh says where).
#
# The `web` preset (CMakePresets.json) builds it into build-web/, which also
# holds the calculation's tests, run by `ctest --preset web` under Node.js.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
source scripts/packages.sh
scripts/install-deps.sh "${build_packages[@]}" "${web_packages[@]}"
source scripts/web-paths.sh

jobs=$(nproc)
say() { echo "build-web: $*" >&2; }

# --- GoogleTest for the browser, from Debian's source of it -----------------

if [ ! -d "$gtest" ]; then
    say "building GoogleTest $gtest_version for the browser into $gtest"
    work=$(mktemp -d)
    emcmake cmake -S /usr/src/googletest -B "$work" -DCMAKE_BUILD_TYPE=Release \
        -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=ON -DCMAKE_INSTALL_PREFIX="$gtest.partial" \
        >/dev/null
    cmake --build "$work" --parallel "$jobs" >/dev/null
    cmake --install "$work" >/dev/null
    mv "$gtest.partial" "$gtest"
    rm -rf "$work"
fi

# --- Morvelt's page, and the site -------------------------------------------

# A build folder of the Qt window of earlier versions goes, with its site.
if [ -f build-web/CMakeCache.txt ] && ! grep -qx "MORVELT_WINDOW:BOOL=OFF" build-web/CMakeCache.txt; then
    rm -rf build-web
fi
cmake --preset web >/dev/null
cmake --build --preset web --parallel "$jobs"

say "made $root/build-web/site: $(cat build-web/site/*.br build-web/site/*.woff2 | wc -c) bytes with brotli"
