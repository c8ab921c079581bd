#pragma once

#include <QRadioButton>

namespace morvelt {

// An option button whose caption wraps at word boundaries within its box, as
// the two wrong-answer options need, and which a click anywhere in the box
// selects.
class OptionButton : public QRadioButton {
    Q_OBJECT

public:
    using QRadioButton::QRadioButton;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};

} // namespace morvelt
