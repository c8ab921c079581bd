#include "ui/print_page.h"

#include <QLineEdit>
#include <QPainter>
#include <QPicture>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace morvelt {

namespace {

// The layout's own margin around its controls: 240 twips.
constexpr int LayoutMargin = 16;

// The part of the window that holds its controls, with the layout's margin:
// a maximised window prints no wider band of empty form around them.
QRect ControlsArea(const QWidget& window)
{
    QRect area;
    for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!control->isHidden())
            area |= control->geometry();
    }
    return area.marginsAdded({LayoutMargin, LayoutMargin, LayoutMargin, LayoutMargin});
}

// While this lives the window shows what the page shows: no keyboard focus,
// which the styles draw as a focus frame, a text cursor or a selection, and
// every text box from its first character, wherever its cursor stands. The
// window is put back as it was before it next paints on screen.
class PageMoment {
public:
    explicit PageMoment(QWidget& window)
        : m_focus(window.focusWidget())
    {
        for (QLineEdit* field : window.findChildren<QLineEdit*>()) {
            m_fields.push_back({field, field->cursorPosition(), field->selectionStart(),
                                field->selectionLength()});
        }
        if (m_focus)
            m_focus->clearFocus();
        for (const Field& field : m_fields)
            field.box->setCursorPosition(0);
    }
    ~PageMoment()
    {
        if (m_focus)
            m_focus->setFocus(Qt::OtherFocusReason);
        for (const Field& field : m_fields) {
            if (!field.box)
                continue;
            if (field.selectionLength <= 0)
                field.box->setCursorPosition(field.cursor);
            else if (field.cursor == field.selectionStart) // selected leftwards
                field.box->setSelection(field.selectionStart + field.selectionLength,
                                        -field.selectionLength);
            else
                field.box->setSelection(field.selectionStart, field.selectionLength);
        }
    }
    PageMoment(const PageMoment&) = delete;
    PageMoment& operator=(const PageMoment&) = delete;

private:
    struct Field {
        QPointer<QLineEdit> box;
        int cursor;
        int selectionStart;
        int selectionLength;
    };
    QPointer<QWidget> m_focus;
    std::vector<Field> m_fields;
};

} // namespace

PrintedPage PagePicture(QWidget& window)
{
    const QRect area = ControlsArea(window);
    PrintedPage page;
    page.size = area.size();
    // Rendering the widgets straight onto a printer makes one bitmap of the
    // window; recorded as a picture and replayed, its text prints as text.
    const PageMoment moment(window);
    QPainter recorder(&page.picture);
    window.render(&recorder, -area.topLeft(), QRegion(area));
    recorder.end();
    return page;
}

bool RenderPage(QWidget& window, QPagedPaintDevice& device)
{
    return PaintPage(PagePicture(window), device);
}

} // namespace morvelt
