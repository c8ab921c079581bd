#!/usr/bin/env bash
# `cmake --install` lays out what a desktop needs, and the desktop entry and
# AppStream metadata pass their validators.
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

cmake --install "$build" --prefix "$root/usr" >/dev/null

expected=(
    usr/bin/morvelt
    usr/share/applications/example.morvelt.Morvelt.desktop
    usr/share/metainfo/example.morvelt.Morvelt.metainfo.xml
    usr/share/icons/hicolor/16x16/apps/example.morvelt.Morvelt.png
    usr/share/icons/hicolor/32x32/apps/example.morvelt.Morvelt.png
    usr/share/icons/hicolor/scalable/apps/example.morvelt.Morvelt.svg
)
status=0
for file in "${expected[@]}"; do
    [ -f "$root/$file" ] || { echo "not installed: $file"; status=1; }
done
[ -x "$root/usr/bin/morvelt" ] || { echo "not executable: usr/bin/morvelt"; status=1; }

desktop-file-validate "$root/usr/share/applications/example.morvelt.Morvelt.desktop" || status=1
appstreamcli validate --no-net "$root/usr/share/metainfo/example.morvelt.Morvelt.metainfo.xml" || status=1
grep -q '<url type="homepage">https://' "$root/usr/share/metainfo/example.morvelt.Morvelt.metainfo.xml" \
    || { echo "metainfo has no home page"; status=1; }
exit $status
