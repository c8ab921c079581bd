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

# Windows takes its icons from one .ico file in the executable: the two
# drawings above, and the large one at 48 and 256 px for the Start menu and
# Explorer, each stored as a PNG inside the .ico.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for size in 48 256; do
    rsvg-convert --width $size --height $size --format png \
        --output "$tmp/$size.png" "$here/morvelt.svg"
done
python3 - "$here/../windows/morvelt.ico" "$here/16x16/morvelt.png" "$here/32x32/morvelt.png" \
    "$tmp/48.png" "$tmp/256.png" <<'PY'
import struct, sys
out, pngs = sys.argv[1], [open(p, 'rb').read() for p in sys.argv[2:]]
header = struct.pack('<HHH', 0, 1, len(pngs))
entries, offset = b'', 6 + 16 * len(pngs)
for png in pngs:
    width, height = struct.unpack('>II', png[16:24])
    entries += struct.pack('<BBBBHHII', width % 256, height % 256, 0, 0, 1, 32, len(png), offset)
    offset += len(png)
open(out, 'wb').write(header + entries + b''.join(pngs))
PY
echo "wrote $here/../windows/morvelt.ico"
