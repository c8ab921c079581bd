#pragma once

namespace morvelt {

// Makes the running program visible to Morvelt's Windows installer and
// uninstaller, which must not replace or remove its files under it: on
// Windows it holds, until the program ends, a mutex named after the
// program's desktop entry (MORVELT_APP_ID), the name the installer's script
// is built with. Elsewhere the package manager sees to it, and this does
// nothing. Call once, at start.
void MarkRunning();

} // namespace morvelt
