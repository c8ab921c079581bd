#pragma once

class QLabel;
class QString;

namespace Ui {
class Form1;
}

namespace morvelt {

// What a screen reader is told of the window. The controls are accessible
// themselves: they are given names where their own captions do not say
// enough, and the results describe themselves.

// Names the controls whose meaning is in a caption beside them.
void NameControls(Ui::Form1& form);

// RESULT now shows TEXT.
void DescribeResult(QLabel& result, const QString& text);

} // namespace morvelt
