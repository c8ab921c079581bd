#pragma once

class QString;

namespace morvelt {

// Tells assistive technology the three results, every time one changes. On
// the desktop the labels are accessible themselves, and this does nothing
// (announce_results_desktop.cpp); in the browser, whose Qt exposes nothing
// of the window, the page's own live region is given them in one sentence
// (announce_results_browser.cpp).
void AnnounceResults(const QString& punti, const QString& voto10, const QString& voto15);

} // namespace morvelt
