#pragma once

#include "page/page_file.h"

class QWidget;

namespace morvelt {

// The window as it shows now, as its printed page: the area of its controls
// with the layout's margin, whatever the window's size. Each text box shows
// its text from the start, and no keyboard focus is drawn.
PageFile WindowSnapshot(QWidget& window);

} // namespace morvelt
