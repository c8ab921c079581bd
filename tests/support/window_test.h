#pragma once

// What every window test shares: a main() that fixes the platform and the
// locale before the application exists, the scripted prompter's record as Qt
// lists, and small helpers to reach controls by name and to click them as a
// user would.

#include "page/window_face.h"
#include "tests/support/scripted_prompter.h"
#include "ui/form1.h"
#include "ui/utf8.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QStringList>
#include <QTest>

#include <memory>
#include <optional>
#include <string>

// Offscreen so that the tests need no display; Italian because the grade in
// tenths and the type-B replies follow the user's decimal separator, and the
// expected captions use the comma.
#define MORVELT_UI_TEST_MAIN_PREPARED(TestClass, prepare)                                          \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                   \
        qunsetenv("QT_FONT_DPI");                                                                  \
        qunsetenv("QT_SCALE_FACTOR");                                                              \
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));                            \
        prepare();                                                                                 \
        QApplication app(argc, argv);                                                              \
        morvelt::LoadWindowFaces();                                                                \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
#define MORVELT_UI_TEST_MAIN(TestClass) MORVELT_UI_TEST_MAIN_PREPARED(TestClass, [] {})

namespace morvelt::fakes {

// "title | prompt" for every prompt, in order.
inline QStringList Asked(const ScriptedPrompter& prompter)
{
    QStringList asked;
    for (const DialogEvent& event : prompter.Events()) {
        if (event.isPrompt)
            asked << FromUtf8(event.title) + QStringLiteral(" | ") + FromUtf8(event.text);
    }
    return asked;
}

inline QStringList Messages(const ScriptedPrompter& prompter)
{
    QStringList messages;
    for (const DialogEvent& event : prompter.Events()) {
        if (!event.isPrompt)
            messages << FromUtf8(event.text);
    }
    return messages;
}

// Prompts ("? title | prompt") and messages ("! text") in the order shown.
inline QStringList Said(const ScriptedPrompter& prompter)
{
    QStringList said;
    for (const DialogEvent& event : prompter.Events()) {
        said << (event.isPrompt
                     ? QStringLiteral("? ") + FromUtf8(event.title) + QStringLiteral(" | ")
                     : QStringLiteral("! "))
                    + FromUtf8(event.text);
    }
    return said;
}

} // namespace morvelt::fakes

namespace morvelt::uitest {

using fakes::ScriptedPrompter;

template <typename T = QWidget>
T* Control(QWidget& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}

// What a control shows as its caption: a label's or a button's text, a
// frame's title, a text box's text.
inline QString Caption(QWidget* control)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(control))
        return frame->title();
    if (auto* field = qobject_cast<QLineEdit*>(control))
        return field->text();
    return {};
}

// Clicks the middle of a control. Returns false, without clicking, when the
// control is missing or disabled: a user could not click it either.
inline bool ClickControl(QWidget& window, const QString& name)
{
    auto* control = window.findChild<QWidget*>(name);
    if (!control || !control->isEnabled())
        return false;
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
    return true;
}

// Types into a field as a user would. Returns false, without typing, when the
// field is missing or disabled.
inline bool TypeInto(QWidget& window, const char* name, const QString& text)
{
    auto* field = Control<QLineEdit>(window, name);
    if (!field || !field->isEnabled())
        return false;
    field->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(field, text);
    return true;
}

// Pastes into a field from the clipboard, over what it holds, the way a long
// text comes in.
inline void PasteOver(QLineEdit& field, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    field.setFocus(Qt::MouseFocusReason);
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
}

// Everything the user can read or change in the window, control by control.
inline QStringList Shown(QWidget& window)
{
    QStringList shown;
    for (auto* label : window.findChildren<QLabel*>())
        shown << label->objectName() + " = " + label->text();
    for (auto* field : window.findChildren<QLineEdit*>())
        shown << field->objectName() + " = " + field->text()
                     + (field->isEnabled() ? "" : " (disabled)");
    for (auto* button : window.findChildren<QAbstractButton*>())
        shown << button->objectName() + " = " + button->text()
                     + (button->isChecked() ? " (selected)" : "")
                     + (button->isEnabled() ? "" : " (disabled)");
    shown << "title = " + window.windowTitle();
    return shown;
}

// An environment variable set for as long as this lives: the print service
// to talk to (CUPS_SERVER), the folder for temporary files (TMPDIR).
class EnvironmentSetting {
public:
    EnvironmentSetting(const char* name, const QString& value)
        : m_name(name)
        , m_before(qgetenv(name))
        , m_had(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, QFile::encodeName(value));
    }
    ~EnvironmentSetting()
    {
        if (m_had)
            qputenv(m_name, m_before);
        else
            qunsetenv(m_name);
    }
    EnvironmentSetting(const EnvironmentSetting&) = delete;
    EnvironmentSetting& operator=(const EnvironmentSetting&) = delete;

private:
    const char* m_name;
    QByteArray m_before;
    bool m_had;
};

// A shown, active window: the state the teacher first sees.
inline std::unique_ptr<Form1> OpenWindow(Prompter* prompter)
{
    auto window = std::make_unique<Form1>(prompter);
    window->SetPrintHelper(QStringLiteral(MORVELT_PRINT_HELPER));
    window->show();
    QApplication::setActiveWindow(window.get());
    if (!QTest::qWaitForWindowActive(window.get()))
        return nullptr;
    return window;
}

} // namespace morvelt::uitest
