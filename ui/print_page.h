#pragma once

#include "ui/printed_page.h"

class QPagedPaintDevice;
class QWidget;

namespace morvelt {

// The window as it shows now, as its printed page: the area of its controls
// with the layout's margin, whatever the window's size. Each text box shows
// its text from the start, and no keyboard focus is drawn.
PrintedPage PagePicture(QWidget& window);

// That page painted on one page of the device, as the print helper paints it.
bool RenderPage(QWidget& window, QPagedPaintDevice& device);

} // namespace morvelt
