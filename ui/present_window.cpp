#include "ui/present_window.h"

#include "ui/form1.h"

namespace morvelt {

void PresentWindow(Form1& window) { window.show(); }

} // namespace morvelt
