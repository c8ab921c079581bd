#include "ui/option_button.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace morvelt {

void OptionButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;

    // The style draws the mark; the caption is drawn here, wrapped.
    option.text.clear();
    painter.drawControl(QStyle::CE_RadioButton, option);

    option.text = caption;
    const QRect area = style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
    painter.drawItemText(area, flags, palette(), isEnabled(), caption, QPalette::WindowText);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()
                         ->itemTextRect(fontMetrics(), area, flags, isEnabled(), caption)
                         .adjusted(-1, 0, 1, 0);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool OptionButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void OptionButton::keyPressEvent(QKeyEvent* event)
{
    bool forward = true;
    switch (event->key()) {
    case Qt::Key_Down:
    case Qt::Key_Right:
        break;
    case Qt::Key_Up:
    case Qt::Key_Left:
        forward = false;
        break;
    default:
        QRadioButton::keyPressEvent(event);
        return;
    }
    // The focus chain is the tab order and runs round, so the first option
    // of the group met along it is the next one, or the first after the last.
    for (QWidget* other = this;;) {
        other = forward ? other->nextInFocusChain() : other->previousInFocusChain();
        if (other == this)
            break;
        auto* option = qobject_cast<OptionButton*>(other);
        if (option && option->parentWidget() == parentWidget() && option->isEnabled()
            && option->isVisible()) {
            option->setFocus(Qt::OtherFocusReason);
            option->click();
            break;
        }
    }
    event->accept();
}

} // namespace morvelt
