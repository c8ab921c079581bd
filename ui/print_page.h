#pragma once

class QPagedPaintDevice;
class QWidget;

namespace morvelt {

// Paints the window as it shows now on one page of the device, in the page's
// orientation that suits the window, scaled to fit with its proportions kept.
// Text stays text. Returns false when the device refuses to paint.
bool RenderPage(QWidget& window, QPagedPaintDevice& page);

} // namespace morvelt
