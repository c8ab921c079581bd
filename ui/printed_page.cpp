#include "ui/printed_page.h"

#include <QDataStream>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace morvelt {

namespace {

// Written first, so that the helper never takes another file for a page.
constexpr quint32 PageMagic = 0x4d56'5047; // "MVPG"

} // namespace

bool SavePage(const PrintedPage& page, QIODevice& file)
{
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_4);
    out << PageMagic << page.size << page.picture;
    return out.status() == QDataStream::Ok;
}

bool LoadPage(QIODevice& file, PrintedPage& page)
{
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    in >> magic;
    if (magic != PageMagic)
        return false;
    in >> page.size >> page.picture;
    return in.status() == QDataStream::Ok && !page.size.isEmpty();
}

bool PaintPage(const PrintedPage& page, QPagedPaintDevice& device)
{
    device.setPageOrientation(page.size.width() > page.size.height() ? QPageLayout::Landscape
                                                                     : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRect paper = painter.viewport();
    const double scale = std::min(paper.width() / double(page.size.width()),
                                  paper.height() / double(page.size.height()));
    // Centred across the paper, so that both side margins are the same.
    painter.translate((paper.width() - scale * page.size.width()) / 2, 0);
    // A picture replays itself at the device's resolution; undo that so the
    // scale above is the only one.
    painter.scale(scale * page.picture.logicalDpiX() / device.logicalDpiX(),
                  scale * page.picture.logicalDpiY() / device.logicalDpiY());
    painter.drawPicture(0, 0, page.picture);
    return painter.end();
}

} // namespace morvelt
