#!/usr/bin/env bash
# One version everywhere the Debian package shows it, and one release history:
# CHANGELOG.md's newest section is the project's version, and the package's
# changelog, as dpkg reads it, and AppStream's <releases> tell the same
# versions, dates and changes; the package and its manual page carry the
# version, and the manual page the newest release's month.
#
#   check-version.sh SOURCE BUILD VERSION DEB-FOLDER
set -euo pipefail
source=$1 build=$2 version=$3 deb=$(echo "$4"/morvelt_*.deb)
status=0
mismatch() { echo "$1"; status=1; }

# Each history as lines "VERSION DATE", then its items, each on one line.
from_markdown() {
    awk '/^## / { if (item) print item; item = ""; gsub(/[()]/, ""); print $2, $3; next }
         /^- /  { if (item) print item; item = substr($0, 3); next }
         /^  [^ ]/ && item { sub(/^ +/, ""); item = item " " $0; next }
         END    { if (item) print item }' "$source/CHANGELOG.md"
}
from_debian() {
    dpkg-parsechangelog -l "$1" --format rfc822 --all |
        awk '/^Version: /   { version = $2 }
             /^Timestamp: / { if (item) print item; item = ""
                              cmd = "date -u -d @" $2 " +%F"; cmd | getline day; close(cmd)
                              print version, day }
             /^   \* /      { if (item) print item; item = substr($0, 6); next }
             /^     [^ ]/ && item { sub(/^ +/, ""); item = item " " $0; next }
             END            { if (item) print item }'
}
from_appstream() {
    awk '/<release / { match($0, /version="[^"]*"/); v = substr($0, RSTART + 9, RLENGTH - 10)
                       match($0, /date="[^"]*"/); print v, substr($0, RSTART + 6, RLENGTH - 7) }
         /<li>/      { sub(/^ *<li>/, ""); sub(/<\/li>$/, "")
                       gsub(/&lt;/, "<"); gsub(/&gt;/, ">"); gsub(/&amp;/, "\\&"); print }' "$1"
}

read -r newest released < <(from_markdown | head -n 1)
[ "$newest" = "$version" ] || mismatch "CHANGELOG.md's newest section is $newest, the project $version"
echo "CHANGELOG.md: $(from_markdown | grep -cE '^[0-9]+\.[0-9]+\.[0-9]+ ') versions, the newest $newest"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work"
zcat "$work/usr/share/doc/morvelt/changelog.gz" >"$work/changelog"
for history in "the package's changelog|debian|$work/changelog" \
               "AppStream's releases|appstream|$work/usr/share/metainfo/example.morvelt.Morvelt.metainfo.xml"; do
    IFS='|' read -r name reader file <<<"$history"
    if diff <(from_markdown) <(from_"$reader" "$file") >"$work/diff"; then
        echo "$name: the same versions, dates and changes as CHANGELOG.md"
    else
        mismatch "$name: not as CHANGELOG.md says:"$'\n'"$(cat "$work/diff")"
    fi
done

packaged=$(dpkg-deb -f "$deb" Version)
[ "$packaged" = "$version" ] || mismatch "the package is version $packaged, not $version"
echo "dpkg-deb -f $(basename "$deb") Version: $packaged"
title=$(zcat "$work/usr/share/man/man1/morvelt.1.gz" | grep -m1 '^\.TH')
month=$(LC_ALL=C date -u -d "$released" '+%B %Y')
[[ $title == *"\"$month\" \"Morvelt $version\""* ]] ||
    mismatch "the manual page's title line names no $month and $version: $title"
echo "the manual page: $title"
exit $status
