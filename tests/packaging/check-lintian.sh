#!/usr/bin/env bash
# The Debian package meets Debian's own checks: lintian finds no error and no
# warning in it. Needs neither root nor an install.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work" >/dev/null)
# Informational tags are shown but do not fail: the Italian captions read as
# misspelt English, and the build's own hardening flags are the compiler's.
lintian --fail-on error,warning --tag-display-limit 0 "$work"/morvelt_*.deb
echo "lintian: no errors, no warnings"
