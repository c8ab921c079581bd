#include "app/running_mark.h"

#include <windows.h>

namespace morvelt {

// The handle is never closed: Windows closes it when the process ends, however
// it ends, and the name goes with the last handle. The name has no "Global\"
// prefix, so it lives in the teacher's session, as the installer looks for it.
void MarkRunning() { CreateMutexA(nullptr, FALSE, MORVELT_APP_ID); }

} // namespace morvelt
