#pragma once

#include <QPalette>

namespace morvelt {

// The window's own colours: one complete light scheme, every role of every
// group set, so that nothing of a desktop's scheme reaches the window. Its
// backgrounds are white whatever the desktop, and a dark scheme's light text
// on them would not read. The colours are those of Qt's own light scheme,
// with the white form and button faces.
QPalette WindowPalette();

} // namespace morvelt
