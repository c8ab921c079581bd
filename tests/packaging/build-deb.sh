#!/usr/bin/env bash
# Packs the build into FOLDER/morvelt_<version>_<arch>.deb, afresh, for the
# package's checks (debian_lintian, debian_package) to share: one cpack run
# for both.
#
#   build-deb.sh BUILD FOLDER
set -euo pipefail
build=$1
folder=$2
rm -rf "$folder"
(cd "$build" && cpack -G DEB -B "$folder" >/dev/null)
echo "built $(basename "$folder"/morvelt_*.deb)"
