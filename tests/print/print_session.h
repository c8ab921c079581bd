#pragma once

// What the printing tests share. They print for real, through the CUPS
// scheduler that scripts/with-cups.sh starts for them, and learn about it
// from the environment that script sets:
//   CUPS_SERVER                 the socket of its scheduler
//   MORVELT_CUPS_QUEUE          the PDF queue it made the default printer
//   MORVELT_CUPS_PDF_DIR        where that queue's backend writes its files
//   MORVELT_CUPS_EMPTY_SERVER   the socket of a second scheduler with no
//                               printer at all
//   MORVELT_CUPS_SKIP           why no scheduler could be started
// Outside that script none of these is set and the tests skip: printing on
// whatever printer the machine happens to have is never what a test means.

#include "calc/prompter.h"
#include "ui/form1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QStringList>
#include <QTest>

#include <deque>
#include <memory>
#include <optional>
#include <string>

// Offscreen so that no display is needed; Italian because the grade in
// tenths follows the user's decimal separator and the expected texts use the
// comma.
#define MORVELT_PRINT_TEST_MAIN(TestClass, prepare)                               \
    int main(int argc, char** argv)                                               \
    {                                                                             \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                  \
        qunsetenv("QT_FONT_DPI");                                                 \
        qunsetenv("QT_SCALE_FACTOR");                                             \
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));           \
        prepare();                                                                \
        QApplication app(argc, argv);                                             \
        TestClass test;                                                           \
        return QTest::qExec(&test, argc, argv);                                   \
    }

namespace morvelt::printtest {

inline QString Setting(const char* name)
{
    return qEnvironmentVariable(name);
}

// Why this run cannot print through a scheduler of its own, or an empty text
// when it can.
inline QString WhyNoScheduler()
{
    if (const QString reason = Setting("MORVELT_CUPS_SKIP"); !reason.isEmpty())
        return reason;
    if (Setting("MORVELT_CUPS_QUEUE").isEmpty())
        return QStringLiteral("not run under scripts/with-cups.sh, so there is no "
                              "private print queue to print on");
    return {};
}

// Replies are taken in order; once they run out every prompt is cancelled,
// which ends a type-B calculation, so a wrong script cannot hang a test.
class ScriptedPrompter final : public Prompter {
public:
    explicit ScriptedPrompter(std::initializer_list<std::optional<std::string>> replies = {})
        : m_replies(replies)
    {
    }

    std::optional<std::string> AskText(std::string_view prompt, std::string_view) override
    {
        m_asked << QString::fromUtf8(prompt.data(), prompt.size());
        if (m_replies.empty())
            return std::nullopt;
        auto reply = m_replies.front();
        m_replies.pop_front();
        return reply;
    }

    void ShowMessage(std::string_view text) override
    {
        m_messages << QString::fromUtf8(text.data(), text.size());
    }

    QStringList asked() const { return m_asked; }
    QStringList messages() const { return m_messages; }

private:
    std::deque<std::optional<std::string>> m_replies;
    QStringList m_asked;
    QStringList m_messages;
};

// A shown, active window, as the teacher first sees it.
inline std::unique_ptr<Form1> OpenWindow(Prompter& prompter)
{
    auto window = std::make_unique<Form1>(&prompter);
    window->show();
    QApplication::setActiveWindow(window.get());
    if (!QTest::qWaitForWindowActive(window.get()))
        return nullptr;
    return window;
}

// Clicks the middle of a control, as a user would; false when the control is
// missing or disabled.
inline bool Click(QWidget& window, const char* name)
{
    auto* control = window.findChild<QWidget*>(QString::fromLatin1(name));
    if (!control || !control->isEnabled())
        return false;
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
    return true;
}

inline bool Type(QWidget& window, const char* name, const QString& text)
{
    auto* field = window.findChild<QLineEdit*>(QString::fromLatin1(name));
    if (!field || !field->isEnabled())
        return false;
    field->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(field, text);
    return true;
}

inline QString Caption(QWidget& window, const char* name)
{
    auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
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

// A type-B test of as many questions as the replies, typed into a fresh
// window with the student's name and class.
inline std::unique_ptr<Form1> GradedWindow(ScriptedPrompter& prompter, const QString& questions,
                                           const QString& name, const QString& schoolClass)
{
    auto window = OpenWindow(prompter);
    if (!window || !Type(*window, "txtb", questions) || !Click(*window, "Command1")
        || !Type(*window, "Text1", name) || !Type(*window, "Text2", schoolClass))
        return nullptr;
    return window;
}

struct ToolResult {
    bool ok = false;
    QString output;   // standard output, or what went wrong
};

// Runs one of the CUPS or poppler command-line tools to its end.
inline ToolResult Run(const QString& program, const QStringList& arguments, int timeoutMs = 30000)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {false, program + QStringLiteral(" did not finish: ") + process.errorString()};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {false, program + ' ' + arguments.join(' ') + QStringLiteral(" failed: ")
                           + QString::fromLocal8Bit(process.readAllStandardError())};
    return {true, QString::fromUtf8(process.readAllStandardOutput())};
}

} // namespace morvelt::printtest
