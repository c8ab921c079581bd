#include "ui/running_mark.h"

namespace morvelt {

// A page has no installed files to keep from an installer.
void MarkRunning() {}

} // namespace morvelt
