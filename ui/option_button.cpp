#include "ui/option_button.h"

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
        focus.rect = style()->itemTextRect(fontMetrics(), area, flags, isEnabled(), caption)
                         .adjusted(-1, 0, 1, 0);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool OptionButton::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}

} // namespace morvelt
