#pragma once

#include <QGroupBox>

namespace morvelt {

// A frame as the window draws it: a thin grey border with its caption set on
// the top edge, over the form's own white. Drawn with lines rather than the
// style's bitmaps, it also prints sharp.
class FrameBox : public QGroupBox {
    Q_OBJECT

public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace morvelt
