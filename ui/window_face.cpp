#include "ui/window_face.h"

namespace morvelt {

QFont WindowFace(double pointSize, bool bold)
{
    QFont font(QStringLiteral("FreeSans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setStretch(97);
    font.setBold(bold);
    return font;
}

} // namespace morvelt
