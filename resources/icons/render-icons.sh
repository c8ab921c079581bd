#!/bin/sh
# Regenerates the application icon PNGs from their SVG sources.
# The 16 px icon has its own source drawn on a 16 px grid; scaling the 32 px
# drawing down would blur the bars and shadows into each other.
set -eu

here=$(cd "$(dirname "$0")" && pwd)

if ! command -v rsvg-convert >/dev/null 2>&1; then
    if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null 2>&1; then
        apt-get update
        DEBIAN_FRONTEND=noninteractive apt-get install -y librsvg2-bin
    else
        echo "rsvg-convert not found: install Debian's librsvg2-bin" >&2
        exit 1
    fi
fi

mkdir -p "$here/16x16" "$here/32x32"
rsvg-convert --width 32 --height 32 --format png \
    --output "$here/32x32/morvelt.png" "$here/morvelt.svg"
rsvg-convert --width 16 --height 16 --format png \
    --output "$here/16x16/morvelt.png" "$here/morvelt-16.svg"
echo "wrote $here/32x32/morvelt.png and $here/16x16/morvelt.png"
