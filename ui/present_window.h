#pragma once

namespace morvelt {

class Form1;

// Shows the program's window where this system shows it: a window of its own
// on the desktop (present_window_desktop.cpp); in the browser, the page's
// whole drawing area, sized to the window and with its caption as the page's
// title, replaced by a closing line when the program ends
// (present_window_browser.cpp).
void PresentWindow(Form1& window);

} // namespace morvelt
