#pragma once

#include <QRadioButton>

namespace morvelt {

// An option button whose caption wraps at word boundaries within its box, as
// the two wrong-answer options need, and which a click anywhere in the box
// selects. Every arrow key moves the selection within its group, in tab
// order and round from the last option to the first: Down and Right to the
// next, Up and Left to the previous.
class OptionButton : public QRadioButton {
    Q_OBJECT

public:
    using QRadioButton::QRadioButton;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace morvelt
