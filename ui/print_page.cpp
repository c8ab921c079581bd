#include "ui/print_page.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPicture>
#include <QWidget>

#include <algorithm>

namespace morvelt {

bool RenderPage(QWidget& window, QPagedPaintDevice& page)
{
    page.setPageOrientation(window.width() > window.height() ? QPageLayout::Landscape
                                                             : QPageLayout::Portrait);

    // Rendering the widgets straight onto a printer makes one bitmap of the
    // window; recorded as a picture and replayed, its text prints as text.
    QPicture picture;
    QPainter recorder(&picture);
    window.render(&recorder);
    recorder.end();

    QPainter painter;
    if (!painter.begin(&page))
        return false;
    const QRect area = painter.viewport();
    const double scale = std::min(area.width() / double(window.width()),
                                  area.height() / double(window.height()));
    // A picture replays itself at the page's resolution; undo that so the
    // scale above is the only one.
    painter.scale(scale * picture.logicalDpiX() / page.logicalDpiX(),
                  scale * picture.logicalDpiY() / page.logicalDpiY());
    painter.drawPicture(0, 0, picture);
    return painter.end();
}

} // namespace morvelt
