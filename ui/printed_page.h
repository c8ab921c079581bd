#pragma once

#include <QPicture>
#include <QSize>

class QIODevice;
class QPagedPaintDevice;

namespace morvelt {

// The printed page as the window hands it to the print helper: a picture of
// the window's controls with the layout's margin round them, at the window's
// own size, whose origin is the area's corner. Painting it is the helper's
// part, so that it serves any printer's page.
struct PrintedPage {
    QSize size;
    QPicture picture;
};

bool SavePage(const PrintedPage& page, QIODevice& file);
bool LoadPage(QIODevice& file, PrintedPage& page);

// Paints the page on one page of the device, in the orientation that suits
// it, scaled to fit with its proportions kept and centred across the paper.
// Text stays text. Returns false when the device refuses to paint.
bool PaintPage(const PrintedPage& page, QPagedPaintDevice& device);

} // namespace morvelt
