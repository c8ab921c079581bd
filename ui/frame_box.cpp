#include "ui/frame_box.h"

#include <QPainter>
#include <QStyle>

namespace morvelt {

void FrameBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const QString caption = title();

    // The border runs through the middle of the caption's line.
    const int top = caption.isEmpty() ? 0 : metrics.height() / 2;
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, top, -1, -1));

    if (!caption.isEmpty()) {
        const QRect captionArea(6, 0, metrics.horizontalAdvance(caption) + 4, metrics.height());
        painter.fillRect(captionArea, palette().window());
        style()->drawItemText(&painter, captionArea, Qt::AlignCenter, palette(), isEnabled(),
                              caption, QPalette::WindowText);
    }
}

} // namespace morvelt
