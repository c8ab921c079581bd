#include "ui/frame_box.h"

#include <QPainter>
#include <QStyle>

#include <cmath>

namespace morvelt {

namespace {

// Draws a border one device pixel wide just inside `area`, every edge on a
// whole device pixel. At a fractional scale a frame's edge falls between
// device pixels, and the top one, on the frame's first row, is dropped.
void DrawBorder(QPainter& painter, const QRectF& area, const QColor& colour)
{
    const QTransform toDevice = painter.deviceTransform();
    const QTransform toLogical = toDevice.inverted();
    // The device pixels that lie wholly inside the area; the margin keeps
    // rounding errors from moving an edge that is already whole.
    constexpr double Margin = 1e-6;
    const QRectF device = toDevice.mapRect(area);
    const double left = std::ceil(device.left() - Margin);
    const double top = std::ceil(device.top() - Margin);
    const double right = std::floor(device.right() + Margin) - 1;
    const double bottom = std::floor(device.bottom() + Margin) - 1;

    const auto fill = [&](double x, double y, double width, double height) {
        painter.fillRect(toLogical.mapRect(QRectF(x, y, width, height)), colour);
    };
    fill(left, top, right - left + 1, 1);
    fill(left, bottom, right - left + 1, 1);
    fill(left, top, 1, bottom - top + 1);
    fill(right, top, 1, bottom - top + 1);
}

} // namespace

void FrameBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const QString caption = title();

    // The border runs through the middle of the caption's line.
    const int top = caption.isEmpty() ? 0 : metrics.height() / 2;
    DrawBorder(painter, QRectF(rect()).adjusted(0, top, 0, 0), palette().color(QPalette::Mid));

    if (!caption.isEmpty()) {
        const QRect captionArea(6, 0, metrics.horizontalAdvance(caption) + 4, metrics.height());
        painter.fillRect(captionArea, palette().window());
        style()->drawItemText(&painter, captionArea, Qt::AlignCenter, palette(), isEnabled(),
                              caption, QPalette::WindowText);
    }
}

} // namespace morvelt
