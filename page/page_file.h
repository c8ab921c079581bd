#pragma once

#include <QByteArray>
#include <QPicture>
#include <QSize>

class QIODevice;
class QString;
class QPagedPaintDevice;

namespace morvelt {

// The printed page as the window hands it to the print helper: a picture of
// the window's controls with the layout's margin round them, at the window's
// own size, whose origin is the area's corner. Painting it is the helper's
// part, so that it serves any printer's page.
struct PageFile {
    QSize size;
    QPicture picture;

    bool Save(QIODevice& file) const;
    // False, with the page left unusable, for anything but a saved page.
    bool Load(QIODevice& file);

    // Paints the page on one page of the device, in the orientation that
    // suits it, scaled to fit with its proportions kept and centred across
    // the paper. Text stays text. Returns false when the device refuses to
    // paint.
    bool Paint(QPagedPaintDevice& device) const;

    // The page painted as one PDF, in memory, on the locale's paper: Letter
    // where it measures in inches, A4 elsewhere. Empty when it cannot be
    // painted.
    QByteArray Pdf(const QString& title) const;
};

} // namespace morvelt
