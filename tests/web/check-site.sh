#!/usr/bin/env bash
# The site says which version it is, and carries the licence of everything
# it serves: its page names the version in <meta name="version">, and
# licenses/README.txt names each file of the site, and each licence it
# points to is there.
#
#   check-site.sh SITE VERSION
set -euo pipefail
site=$1 version=$2
status=0
fail() { echo "$1"; status=1; }

grep -qF "<meta name=\"version\" content=\"$version\">" "$site/index.html" ||
    fail "index.html names no version $version: $(grep -F 'name="version"' "$site/index.html" || true)"
echo "index.html: $(grep -oF "<meta name=\"version\" content=\"$version\">" "$site/index.html" || true)"

notes=$site/licenses/README.txt
[ -s "$notes" ] || { echo "no licenses/README.txt"; exit 1; }
for file in $(cd "$site" && find . -maxdepth 1 -type f ! -name '*.br' ! -name '*.gz' -printf '%P\n'); do
    grep -qE "(^|[ ,])$file(,|$)" "$notes" || fail "licenses/README.txt does not name $file"
done
for licence in $(grep -oE '[A-Za-z0-9-]+(-copyright|-[0-9])\.txt' "$notes" | sort -u); do
    [ -s "$site/licenses/$licence" ] || fail "licenses/README.txt points to $licence, which is not there"
done
echo "licenses/: $(ls "$site/licenses" | tr '\n' ' ')"
exit $status
