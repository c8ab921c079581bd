#!/usr/bin/env bash
# Browser benchmark: measures the site that scripts/build-web.sh made in
# build-web/site/: what the first usable window costs to fetch (the page,
# its script and style, the module and the face), raw, with gzip and with
# brotli, against the targets; and how long Debian's headless Chromium takes
# from navigation to the first usable window, served from this machine
# (scripts/serve-web.py), RUNS times (default 7, after 1 warm-up load); it
# prints the median and the range.
#
#   bench/web.sh [RUNS]
#
# It drives Chromium with tests/web's puppeteer-core (npm ci --prefix
# tests/web installs it). It is not a test: times follow the machine's load.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
site=build-web/site
[ -f "$site/morvelt.wasm.br" ] || { echo "bench/web.sh: run scripts/build-web.sh first" >&2; exit 1; }

echo "machine: $(nproc) cores; load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
# The face is WOFF2, compressed already: the same bytes in every form.
for form in "" .gz .br; do
    total=0
    for file in index.html page.js page.css morvelt.js morvelt.wasm; do
        total=$((total + $(stat -c %s "$site/$file$form")))
    done
    for face in "$site"/*.woff2; do
        total=$((total + $(stat -c %s "$face")))
    done
    case $form in
    .br) target=400 ;;
    .gz) target=500 ;;
    *) target= ;;
    esac
    awk -v form="${form:-raw}" -v total="$total" -v target="$target" \
        'BEGIN { printf "first usable window %-4s %6.1f KB%s\n", form, total / 1e3,
                        target ? sprintf(" (required: at most %d KB)", target) : "" }'
done
node bench/web_first_paint.js "$site" "$runs"
