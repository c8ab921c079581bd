#!/usr/bin/env bash
# The Debian package meets Debian's own checks: lintian finds no error and no
# warning in it. Needs neither root nor an install.
#
#   check-lintian.sh FOLDER    (where build-deb.sh put the package)
set -euo pipefail
folder=$1

# Informational tags are shown but do not fail: the Italian captions read as
# misspelt English, and the build's own hardening flags are the compiler's.
lintian --fail-on error,warning --tag-display-limit 0 "$folder"/morvelt_*.deb
echo "lintian: no errors, no warnings"
