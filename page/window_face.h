#pragma once

#include <QFont>

namespace morvelt {

// The window's face at a size. It stands in for the compact 8-point face the
// boxes were sized for: measured at 96 dpi, FreeSans is the one free face
// whose lines fit the 12-pixel rows of the correspondence table, and set 3%
// narrower the question on wrong answers also clears the frame that covers
// the end of its box. The window's default is 8.25 points.
QFont WindowFace(double pointSize = 8.25, bool bold = false);

// Makes the face available where the system does not have it: on Linux it
// is a package dependency and this does nothing; on Windows the program
// carries it. Call once, after the application object exists.
void LoadWindowFaces();

} // namespace morvelt
