"""Makes the page's face: FreeSans at 97 % of its width, as the desktop
draws it (a narrower setting, which CSS cannot ask of a face), cut to the
letters an Italian school writes and its neighbours' (Latin-1, Latin
Extended-A, ș and ț), as WOFF2:

  python3 make_face.py FONT.ttf OUTPUT.woff2

Debian's python3-fonttools does the cutting and python3-brotli the packing.
Every other script falls to the browser's own faces. The cut keeps no
kerning; the browser test checks that every caption fits its box."""

import sys

from fontTools import subset
from fontTools.ttLib import TTFont

WIDTH = 0.97
LETTERS = [*range(0x20, 0x7F), *range(0xA0, 0x180), 0x0218, 0x0219, 0x021A, 0x021B,
           # The punctuation the window and its prompts write: dashes,
           # quotation marks, the ellipsis and the euro.
           0x2013, 0x2014, 0x2018, 0x2019, 0x201C, 0x201D, 0x2026, 0x20AC]


def narrowed(font):
    """Every outline, advance and side bearing at WIDTH of its width."""
    glyphs = font["glyf"]
    for name in font.getGlyphOrder():
        glyph = glyphs[name]
        if glyph.isComposite():
            for component in glyph.components:
                component.x = round(component.x * WIDTH)
        elif glyph.numberOfContours > 0:
            glyph.coordinates.scale((WIDTH, 1))
            glyph.coordinates.toInt()
        glyph.recalcBounds(glyphs)
    metrics = font["hmtx"].metrics
    for name, (advance, bearing) in metrics.items():
        metrics[name] = (round(advance * WIDTH), round(bearing * WIDTH))
    return font


def main():
    source, output = sys.argv[1:3]
    font = narrowed(TTFont(source))
    options = subset.Options()
    options.flavor = "woff2"
    options.name_IDs = [0, 1, 2, 3, 4, 5, 6, 13, 14]
    options.notdef_outline = True
    options.hinting = False
    options.drop_tables += ["FFTM"]
    cutter = subset.Subsetter(options)
    cutter.populate(unicodes=LETTERS)
    cutter.subset(font)
    font.flavor = "woff2"
    font.save(output)


if __name__ == "__main__":
    main()
