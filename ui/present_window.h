#pragma once

namespace morvelt {

class Form1;

// Shows the program's window, a window of its own on the desktop.
void PresentWindow(Form1& window);

} // namespace morvelt
