#include "ui/quit_on_terminate.h"

namespace morvelt {

// A page is not asked to end: the browser closes its tab, and the program
// with it.
void QuitOnTerminate() {}

} // namespace morvelt
