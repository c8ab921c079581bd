#pragma once

class QPagedPaintDevice;
class QWidget;

namespace morvelt {

// Paints the window as it shows now on one page of the device: the area of
// its controls with the layout's margin, whatever the window's size, in the
// orientation that suits it, scaled to fit with its proportions kept and
// centred across the page. Each text box shows its text from the start, and
// no keyboard focus is drawn. Text stays text. Returns false when the device
// refuses to paint.
bool RenderPage(QWidget& window, QPagedPaintDevice& page);

} // namespace morvelt
