#include "ui/print_hand_over.h"

#include "ui/print_page.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace morvelt {

namespace {

// How long ending the helper may take: a killed process is gone at once.
constexpr int EndWaitMs = 1000;

// The window as it shows now, as a page file in the temporary folder, or
// nothing when the file cannot be written: no temporary folder (never the
// root folder instead), not a folder, read-only or full.
std::unique_ptr<QTemporaryFile> PageFile(QWidget& window)
{
    const QString folder = QDir::tempPath();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return nullptr;
    auto file = std::make_unique<QTemporaryFile>(folder + QStringLiteral("/morvelt-XXXXXX.page"));
    if (!file->open() || !SavePage(PagePicture(window), *file) || !file->flush())
        return nullptr;
    file->close();
    return file;
}

PrintResult FromExitCode(int code)
{
    switch (static_cast<PrintResult>(code)) {
    case PrintResult::Printed:
    case PrintResult::NoDefaultPrinter:
    case PrintResult::NotAnswering:
    case PrintResult::Refused:
    case PrintResult::Interrupted:
    case PrintResult::PageNotPrepared:
        return static_cast<PrintResult>(code);
    }
    return PrintResult::Interrupted;
}

} // namespace

QString PrintHandOver::InstalledHelper()
{
    return QCoreApplication::applicationDirPath()
        + QStringLiteral("/" MORVELT_INSTALLED_PRINT_HELPER);
}

PrintHandOver::PrintHandOver(QWidget& window, const QString& helper, QObject* parent)
    : QObject(parent)
    , m_page(PageFile(window))
{
    if (!m_page) {
        Finish(PrintResult::PageNotPrepared);
        return;
    }
    connect(&m_helper, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        Finish(status == QProcess::NormalExit ? FromExitCode(code) : PrintResult::Interrupted);
    });
    // A helper that cannot be started (missing, or no process to be had)
    // never saw the page.
    connect(&m_helper, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            Finish(PrintResult::PageNotPrepared);
    });
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] { Finish(PrintResult::NotAnswering); });

    m_helper.setStandardInputFile(QProcess::nullDevice());
    m_helper.setStandardOutputFile(QProcess::nullDevice());
    m_helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_deadline.start(AnswerTime);
    m_helper.start(helper, {m_page->fileName(), QString::number(AnswerTime.count())});
}

PrintHandOver::~PrintHandOver()
{
    m_finished = true;
    if (m_helper.state() != QProcess::NotRunning) {
        m_helper.kill();
        m_helper.waitForFinished(EndWaitMs);
    }
}

// Told once, whatever comes first; the helper is ended and the page goes.
void PrintHandOver::Finish(PrintResult result)
{
    if (m_finished)
        return;
    m_finished = true;
    m_deadline.stop();
    if (m_helper.state() != QProcess::NotRunning)
        m_helper.kill();
    m_page.reset();
    QMetaObject::invokeMethod(
        this, [this, result] { Q_EMIT finished(result); }, Qt::QueuedConnection);
}

} // namespace morvelt
