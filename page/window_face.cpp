#include "page/window_face.h"

namespace morvelt {

QFont WindowFace(double pointSize, bool bold)
{
    QFont font(QStringLiteral("FreeSans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setStretch(97);
    font.setBold(bold);
    // Fractional advances, as Debian's fontconfig gives by default: with
    // full hinting each glyph's advance is rounded to whole pixels and the
    // narrower setting is dropped, and the longest captions no longer fit
    // (Windows' FreeType default, or a desktop set to full hinting).
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

} // namespace morvelt
