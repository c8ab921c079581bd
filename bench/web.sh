#!/usr/bin/env bash
# Browser benchmark: measures the site that scripts/build-web.sh made in
# build-web/site/: what the first window costs to fetch (the page, its
# scripts and the program, raw, with gzip and with brotli), and how long
# Debian's headless Chromium takes from navigation to the first painted
# window, served from this machine (scripts/serve-web.py), RUNS times
# (default 7, after 1 warm-up load); it prints the median and the range.
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
for form in "" .gz .br; do
    total=0
    for file in index.html page.js qtloader.js morvelt.js morvelt.wasm; do
        total=$((total + $(stat -c %s "$site/$file$form")))
    done
    awk -v form="${form:-raw}" -v total="$total" -v program="$(stat -c %s "$site/morvelt.wasm$form")" \
        'BEGIN { printf "first window %-4s %5.2f MB (the program %5.2f MB)\n", form, total / 1e6, program / 1e6 }'
done
node bench/web_first_paint.js "$site" "$runs"
