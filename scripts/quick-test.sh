#!/usr/bin/env bash
# The quick loop, for a contributor who changed a file: the ordinary build
# and its tests alone, beside a private print session, as the last pass of
# scripts/test.sh runs them. Its arguments go to CTest:
#
#   scripts/quick-test.sh                     # every test of the ordinary build
#   scripts/quick-test.sh -R '^ui_print_test$' # the tests whose names match
#
# scripts/test.sh, which CI runs, stays the whole check: it adds the
# sanitized and fuzz passes, and under CI the Windows and browser ones.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

scripts/install-deps.sh "${build_packages[@]}" "${test_packages[@]}"

# Builds and test runs use every core; a workflow takes no -j of its own.
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}

cmake --preset default >/dev/null
cmake --build --preset default
exec scripts/with-cups.sh ctest --preset default "$@"
