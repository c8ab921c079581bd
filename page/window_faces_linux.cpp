#include "page/window_face.h"

namespace morvelt {

// FreeSans comes with the system (the package depends on fonts-freefont-ttf),
// so start-up loads no font of its own.
void LoadWindowFaces() {}

} // namespace morvelt
