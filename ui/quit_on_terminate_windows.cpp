#include "ui/quit_on_terminate.h"

namespace morvelt {

// Windows asks a program to end with a message to its window, not a
// signal, and Qt's Windows platform closes it as the window's close button
// does; there is nothing to set up.
void QuitOnTerminate() {}

} // namespace morvelt
