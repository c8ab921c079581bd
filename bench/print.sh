#!/usr/bin/env bash
# Printing benchmark: builds the program's window and print helper (Release,
# in build-bench) and, beside a private CUPS scheduler (scripts/with-cups.sh),
# times RUNS times each (default 5): a press of STAMPA until the window has
# the helper's word that the scheduler took the page; Esci with 20 pages on
# their way, once their helpers have taken them (against a print service
# that never answers); and Esci with 20 pages whose helpers never take them,
# which the window waits for at most PrintHandOver::TakeTime.
#
#   bench/print.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
build=build-bench

source scripts/packages.sh
scripts/install-deps.sh "${build_packages[@]}"

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target print_bench morvelt-print >/dev/null

echo "machine: $(nproc) cores; load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
# Without a session bus or runtime folder, each helper says so on its
# standard error: those lines are left out.
scripts/with-cups.sh "$build/bench/print_bench" "$runs" "$PWD/$build/libexec/morvelt/morvelt-print" \
    2> >(grep -v '^QStandardPaths: XDG_RUNTIME_DIR' >&2)
