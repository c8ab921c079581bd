#!/usr/bin/env bash
# Builds Morvelt and runs every test, in up to five passes, each in its own
# build folder and each through its presets in CMakePresets.json, where
# warnings fail the build:
#   build-sanitize  every test under AddressSanitizer and
#                   UndefinedBehaviorSanitizer, where any report fails, the
#                   printing tests beside a private CUPS scheduler as below;
#   build-fuzz      the calculation's fuzz targets (clang, libFuzzer), each
#                   fuzzing for a few seconds from its seeds;
#   build-windows   under CI=true or with MORVELT_TEST_WINDOWS=1: the
#                   Windows build and its installer (scripts/build-windows.sh),
#                   its tests and the installer run under Wine;
#   build-web       under CI=true or with MORVELT_TEST_WEB=1: the browser
#                   build (scripts/build-web.sh), the calculation's tests
#                   under Node.js and the site in Chromium, Firefox and
#                   WebKit;
#   build           every test in the ordinary build, last, so that the
#                   output ends with its summary; it runs beside a private
#                   CUPS scheduler with a PDF queue as the default printer
#                   (scripts/with-cups.sh), so that printing is tested through
#                   a real print system. The Debian package test, which
#                   installs the package system-wide with apt-get, runs only
#                   under CI=true or with MORVELT_TEST_PACKAGE_INSTALL=1.
# The first pass that fails ends the script. The window's tests draw
# offscreen, so no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

scripts/install-deps.sh "${build_packages[@]}" "${test_packages[@]}" "${fuzz_packages[@]}"

# Builds and test runs use every core; a workflow takes no -j of its own.
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}

# The sanitized and the ordinary passes in steps rather than as their
# workflows: only their tests belong in the private print session, where the
# printing tests must find their scheduler.
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
scripts/with-cups.sh ctest --preset sanitize

cmake --workflow --preset fuzz

# Windows: Qt for Windows built once per machine (about 20 minutes), then
# the installer, and the calculation's and the window's tests and the
# installer under Wine.
if [ "${CI:-}" = true ] || [ "${MORVELT_TEST_WINDOWS:-}" = 1 ]; then
    scripts/build-windows.sh
    scripts/with-cups.sh ctest --preset windows
else
    echo "test.sh: the Windows pass builds Qt for Windows once (about 20 minutes), so it" \
         "will skip; MORVELT_TEST_WINDOWS=1 runs it" >&2
fi

# The browser: the site (no Qt; GoogleTest for the browser built once per
# machine); the calculation's tests under Node.js, and the browser test in
# Chromium and Firefox, with their driver from the npm registry, and in
# WebKit through Debian's WebKitWebDriver.
if [ "${CI:-}" = true ] || [ "${MORVELT_TEST_WEB:-}" = 1 ]; then
    scripts/build-web.sh
    command -v npm >/dev/null || scripts/install-deps.sh npm
    npm ci --prefix tests/web --no-audit --no-fund --loglevel=error
    (source scripts/web-paths.sh && ctest --preset web)
else
    echo "test.sh: the browser pass installs Emscripten and three browsers, so it will skip;" \
         "MORVELT_TEST_WEB=1 runs it" >&2
fi

if [ "${CI:-}" != true ] && [ "${MORVELT_TEST_PACKAGE_INSTALL:-}" != 1 ]; then
    echo "test.sh: the Debian package test installs system-wide, so it will skip;" \
         "MORVELT_TEST_PACKAGE_INSTALL=1 runs it" >&2
fi
# The ordinary pass is the quick loop's own.
exec scripts/quick-test.sh
