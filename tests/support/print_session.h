#pragma once

// What the printing tests share: the private schedulers (scheduler.h), the
// window graded and signed as a teacher does before printing, its page
// painted as the helper paints it, and the command-line tools that read the
// printout.

#include "tests/support/scheduler.h"
#include "tests/support/window_test.h"
#include "ui/print_hand_over.h"
#include "ui/window_snapshot.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QProcess>
#include <QStringList>
#include <QTest>

#include <memory>

namespace morvelt::printtest {

using uitest::ClickControl;
using uitest::EnvironmentSetting;
using uitest::OpenWindow;
using uitest::ScriptedPrompter;
using uitest::Shown;
using uitest::TypeInto;

inline QString Caption(QWidget& window, const char* name)
{
    auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

// A type-B test of that many questions graded in the window, the prompter
// giving the scores.
inline bool Grade(QWidget& window, const QString& questions)
{
    return TypeInto(window, "txtb", questions) && ClickControl(window, "Command1");
}

// The student's name and class typed in, as the teacher does before printing.
inline bool Sign(QWidget& window, const QString& name, const QString& schoolClass)
{
    return TypeInto(window, "Text1", name) && TypeInto(window, "Text2", schoolClass);
}

// A type-B test of as many questions as the replies, typed into a fresh
// window with the student's name and class.
inline std::unique_ptr<Form1> GradedWindow(ScriptedPrompter& prompter, const QString& questions,
                                           const QString& name, const QString& schoolClass)
{
    auto window = OpenWindow(&prompter);
    if (!window || !Grade(*window, questions) || !Sign(*window, name, schoolClass))
        return nullptr;
    return window;
}

// Presses STAMPA, and returns the hand-over the press made, whose finished()
// tells when the window learns the page's fate; nullptr when STAMPA cannot
// be pressed.
inline PrintHandOver* PressPrint(QWidget& window)
{
    if (!ClickControl(window, "Command3"))
        return nullptr;
    const auto handOvers = window.findChildren<PrintHandOver*>(Qt::FindDirectChildrenOnly);
    return handOvers.isEmpty() ? nullptr : handOvers.constLast();
}

// The window's page painted on one page of the device, as the print helper
// paints it.
inline bool RenderPage(QWidget& window, QPagedPaintDevice& device)
{
    return WindowSnapshot(window).Paint(device);
}

struct ToolResult {
    bool ok = false;
    QString output; // standard output, or what went wrong
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
