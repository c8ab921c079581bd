#include "ui/window_snapshot.h"

#include <QLineEdit>
#include <QPainter>
#include <QPicture>
#include <QPointer>
#include <QPushButton>
#include <QVariant>
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

// While this lives the window shows what the page shows: none of the cues
// by which a style tells where the user is, and every text box from its
// first character, wherever its cursor stands. The cues are the keyboard
// focus (a focus frame, a text cursor, a selection), the default button's
// frame, and the hover of the control under the pointer; and, in the styles
// that fade from one state to the next (Windows' own), the fade itself,
// whose first moments paint the state being left, as a bitmap. The window is put back as it was
// before it next paints on screen.
class PageMoment {
public:
    explicit PageMoment(QWidget& window)
        : m_focus(window.focusWidget())
    {
        QList<QWidget*> widgets = window.findChildren<QWidget*>();
        widgets.prepend(&window);
        for (QWidget* widget : widgets) {
            m_widgets.push_back(
                {widget, widget->testAttribute(Qt::WA_UnderMouse), widget->property(NoAnimation)});
            widget->setAttribute(Qt::WA_UnderMouse, false);
            widget->setProperty(NoAnimation, true);
            if (auto* button = qobject_cast<QPushButton*>(widget); button && button->isDefault()) {
                m_defaultButtons.push_back(button);
                button->setDefault(false);
            }
        }
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
        for (const QPointer<QPushButton>& button : m_defaultButtons) {
            if (button)
                button->setDefault(true);
        }
        for (const Widget& widget : m_widgets) {
            if (!widget.widget)
                continue;
            widget.widget->setProperty(NoAnimation, widget.noAnimation);
            widget.widget->setAttribute(Qt::WA_UnderMouse, widget.underMouse);
        }
    }
    PageMoment(const PageMoment&) = delete;
    PageMoment& operator=(const PageMoment&) = delete;

private:
    // Qt's styles read this dynamic property as "paint the state as it is,
    // with no transition".
    static constexpr char NoAnimation[] = "_q_no_animation";

    struct Field {
        QPointer<QLineEdit> box;
        int cursor;
        int selectionStart;
        int selectionLength;
    };
    struct Widget {
        QPointer<QWidget> widget;
        bool underMouse;
        QVariant noAnimation;
    };
    QPointer<QWidget> m_focus;
    std::vector<Field> m_fields;
    std::vector<Widget> m_widgets;
    std::vector<QPointer<QPushButton>> m_defaultButtons;
};

} // namespace

PageFile WindowSnapshot(QWidget& window)
{
    const QRect area = ControlsArea(window);
    PageFile page;
    page.size = area.size();
    // Rendering the widgets straight onto a printer makes one bitmap of the
    // window; recorded as a picture and replayed, its text prints as text.
    const PageMoment moment(window);
    QPainter recorder(&page.picture);
    window.render(&recorder, -area.topLeft(), QRegion(area));
    recorder.end();
    return page;
}

} // namespace morvelt
