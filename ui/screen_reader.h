#pragma once

class QLabel;
class QString;

namespace Ui {
class Form1;
}

namespace morvelt {

// What a screen reader is told of the window. On the desktop the controls
// are accessible themselves: they are given names where their own captions
// do not say enough, and the results describe themselves
// (screen_reader_desktop.cpp). In the browser, whose Qt exposes nothing of
// the window, the page's own live region is given the three results in one
// sentence instead (screen_reader_browser.cpp).

// Names the controls whose meaning is in a caption beside them.
void NameControls(Ui::Form1& form);

// RESULT now shows TEXT.
void DescribeResult(QLabel& result, const QString& text);

// Says the three results, every time one changes.
void AnnounceResults(const QString& punti, const QString& voto10, const QString& voto15);

} // namespace morvelt
