#pragma once

namespace morvelt {

// Ends the event loop when the process is asked to end (SIGTERM, as a
// desktop session logging out sends; SIGHUP; SIGINT), so that the window and
// what it owns are destroyed as on Esci: the window goes at once, and pages
// on their way are left to their print helpers. Where the system has
// SIGCHLD, it also takes back its default, so that the window sees how its
// print helpers end. Call once, after the application object exists, before
// any print.
void QuitOnTerminate();

} // namespace morvelt
