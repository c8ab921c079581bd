#!/usr/bin/env bash
# Builds Morvelt for the browser and makes build-web/site/, a static folder
# that any web server can serve: the page (index.html), its script, the
# program (morvelt.js, morvelt.wasm, qtloader.js), and copies compressed with
# brotli (.br) and gzip (.gz) for servers that send them.
#
#   scripts/build-web.sh
#
# Everything comes from Debian's archive: Emscripten (emscripten) and Qt's
# own source package (qt6-base, the version of the machine's Qt host tools).
# Qt for the browser and GoogleTest for it are built once per machine into a
# cache outside the repository (scripts/web-paths.sh says where); Qt's build
# takes about 13 minutes on two cores.
#
# Morvelt itself is built by the `web` preset (CMakePresets.json); its build
# folder, build-web/, also holds the calculation's tests, which
# `ctest --preset web` runs under Node.js.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
source scripts/packages.sh
scripts/install-deps.sh "${build_packages[@]}" "${web_packages[@]}"
source scripts/qt-source.sh
source scripts/web-paths.sh

jobs=$(nproc)
say() { echo "build-web: $*" >&2; }

# --- Emscripten, where Qt looks for it --------------------------------------

# Qt's configure wants an emsdk: $EMSDK/.emscripten naming the root, and the
# tools in $EMSDK/upstream/emscripten. Debian's emscripten, linked into that
# shape.
if [ ! -e "$EMSDK/.emscripten" ]; then
    rm -rf "$EMSDK"
    mkdir -p "$EMSDK"/upstream/emscripten
    ln -s /usr/share/emscripten/* "$EMSDK"/upstream/emscripten/
    for tool in /usr/bin/em*; do ln -sf "$tool" "$EMSDK"/upstream/emscripten/; done
    echo "EMSCRIPTEN_ROOT = '/upstream/emscripten'" >"$EMSDK"/.emscripten
fi

# --- Qt for the browser -----------------------------------------------------


[ -d "$qt" ] || build_qt "the browser"
say "Qt for the browser: $qt"

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

# --- Morvelt, and the site --------------------------------------------------

# A build folder configured against another Qt (the options or Emscripten
# changed) starts afresh: CMake keeps the first Qt it found.
fresh=()
if ! grep -qxF "Qt6_DIR:PATH=$qt/lib/cmake/Qt6" build-web/CMakeCache.txt 2>/dev/null; then
    fresh=(--fresh)
fi
cmake --preset web "${fresh[@]}" >/dev/null
cmake --build --preset web --parallel "$jobs"

say "made $root/build-web/site: $(du -b build-web/site/morvelt.wasm.br | cut -f1) bytes of program with brotli"
