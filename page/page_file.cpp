#include "page/page_file.h"

#include <QBuffer>
#include <QDataStream>
#include <QLocale>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace morvelt {

namespace {

// Written first, so that the helper never takes another file for a page.
constexpr quint32 PageMagic = 0x4d56'5047; // "MVPG"

} // namespace

bool PageFile::Save(QIODevice& file) const
{
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_4);
    out << PageMagic << size << picture;
    return out.status() == QDataStream::Ok;
}

bool PageFile::Load(QIODevice& file)
{
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    in >> magic;
    if (magic != PageMagic)
        return false;
    in >> size >> picture;
    return in.status() == QDataStream::Ok && !size.isEmpty();
}

bool PageFile::Paint(QPagedPaintDevice& device) const
{
    device.setPageOrientation(size.width() > size.height() ? QPageLayout::Landscape
                                                           : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRect paper = painter.viewport();
    const double scale = std::min(paper.width() / double(size.width()),
                                  paper.height() / double(size.height()));
    // Centred across the paper, so that both side margins are the same.
    painter.translate((paper.width() - scale * size.width()) / 2, 0);
    // A picture replays itself at the device's resolution; undo that so the
    // scale above is the only one.
    painter.scale(scale * picture.logicalDpiX() / device.logicalDpiX(),
                  scale * picture.logicalDpiY() / device.logicalDpiY());
    painter.drawPicture(0, 0, picture);
    return painter.end();
}

QByteArray PageFile::Pdf(const QString& title) const
{
    QByteArray pdf;
    QBuffer output(&pdf);
    output.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&output);
        writer.setTitle(title);
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem
                                         ? QPageSize::Letter
                                         : QPageSize::A4));
        if (!Paint(writer))
            return {};
    }
    return pdf;
}

} // namespace morvelt
