#pragma once

namespace morvelt {

// Ends the event loop when the process is asked to end (SIGTERM, as a
// desktop session logging out sends; SIGHUP; SIGINT), so that the window and
// what it owns are destroyed as on Esci: pending pages are dropped and their
// files removed. Call once, after the application object exists.
void QuitOnTerminate();

} // namespace morvelt
