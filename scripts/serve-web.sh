#!/usr/bin/env bash
# Serves the browser build's site (build-web/site/, made by
# scripts/build-web.sh) on this machine alone, at http://127.0.0.1:PORT/:
#
#   scripts/serve-web.sh [PORT]      (default 8080)
#
# with Debian's python3 and nothing else (scripts/serve-web.py). For a
# teacher or a school that wants Morvelt in a browser without a web server of
# its own; the README says how a school serves the folder on its own server.
set -euo pipefail
cd "$(dirname "$0")/.."
port=${1:-8080}
site=build-web/site
if [ ! -f "$site/index.html" ]; then
    echo "serve-web: no site yet; scripts/build-web.sh makes it" >&2
    exit 1
fi
exec /usr/bin/python3 scripts/serve-web.py "$site" "$port"
