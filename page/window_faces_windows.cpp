#include "page/window_face.h"

#include <QFontDatabase>

namespace morvelt {

// Windows has no FreeSans: the program carries its two faces as resources,
// and the captions fit their boxes as on Linux.
void LoadWindowFaces()
{
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/FreeSans.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/FreeSansBold.ttf"));
}

} // namespace morvelt
