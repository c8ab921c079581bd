#include "ui/print_hand_over.h"

#include "ui/window_snapshot.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace morvelt {

namespace {

// The window as it shows now, as a page file in the temporary folder, or
// nothing when the file cannot be written: no temporary folder (never the
// root folder instead), not a folder, read-only or full.
std::unique_ptr<QTemporaryFile> WritePageFile(QWidget& window)
{
    const QString folder = QDir::tempPath();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return nullptr;
    auto file = std::make_unique<QTemporaryFile>(folder + QStringLiteral("/morvelt-XXXXXX.page"));
    if (!file->open() || !WindowSnapshot(window).Save(*file) || !file->flush())
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
    case PrintResult::NotConfirmed:
    case PrintResult::PrinterStopped:
        return static_cast<PrintResult>(code);
    }
    return PrintResult::Interrupted;
}

} // namespace

// The page file, and the helper that takes it, watched by a deadline.
struct PrintHandOver::Delivery {
    std::unique_ptr<QTemporaryFile> page;
    QProcess helper;
    QTimer deadline;
};

QString PrintHandOver::InstalledHelper()
{
    return QCoreApplication::applicationDirPath()
           + QStringLiteral("/" MORVELT_INSTALLED_PRINT_HELPER);
}

PrintHandOver::PrintHandOver(QWidget& window, const QString& helper,
                             std::chrono::milliseconds answerTime, QObject* parent)
    : QObject(parent)
    , m_delivery(std::make_unique<Delivery>())
{
    m_delivery->page = WritePageFile(window);
    if (!m_delivery->page) {
        Finish(PrintResult::PageNotPrepared);
        return;
    }
    connect(&m_delivery->helper, &QProcess::finished, this,
            [this](int code, QProcess::ExitStatus status) {
                Finish(status == QProcess::NormalExit ? FromExitCode(code)
                                                      : PrintResult::Interrupted);
            });
    // A helper that cannot be started (missing, or no process to be had)
    // never saw the page.
    connect(&m_delivery->helper, &QProcess::errorOccurred, this,
            [this](QProcess::ProcessError error) {
                if (error == QProcess::FailedToStart)
                    Finish(PrintResult::PageNotPrepared);
            });
    // The helper may have handed the page over when it stopped answering.
    m_delivery->deadline.setSingleShot(true);
    connect(&m_delivery->deadline, &QTimer::timeout, this,
            [this] { Finish(PrintResult::NotConfirmed); });

    m_delivery->helper.setStandardInputFile(QProcess::nullDevice());
    m_delivery->helper.setStandardOutputFile(QProcess::nullDevice());
    m_delivery->helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_delivery->deadline.start(answerTime + LateHelper);
    m_delivery->helper.start(helper,
                             {m_delivery->page->fileName(), QString::number(answerTime.count())});
}

// The window closes: each helper goes on with the page it has taken, in its
// printing process, which outlives the one killed here (the one the window
// started, which only waits for it). Helpers that have not taken their page
// yet are given the moment they need, all at once, so that closing takes no
// longer with twenty pages than with one.
void PrintHandOver::LetGo(const QList<PrintHandOver*>& handOvers)
{
    const QDeadlineTimer closing(ClosingTime);
    const QDeadlineTimer taking(TakeTime);
    QList<Delivery*> running;
    for (PrintHandOver* handOver : handOvers) {
        handOver->m_finished = true;
        if (handOver->m_delivery->helper.state() != QProcess::NotRunning)
            running << handOver->m_delivery.get();
    }
    const auto untaken = [](const Delivery* delivery) {
        return delivery->page && QFileInfo::exists(delivery->page->fileName());
    };
    while (std::any_of(running.begin(), running.end(), untaken) && !taking.hasExpired())
        QThread::msleep(5);
    for (Delivery* delivery : running) {
        // A page taken is the helper's now; one not taken goes with the
        // hand-over.
        if (!untaken(delivery) && delivery->page)
            delivery->page->setAutoRemove(false);
        delivery->helper.kill();
    }
    for (Delivery* delivery : running)
        delivery->helper.waitForFinished(int(std::max<qint64>(closing.remainingTime(), 0)));
}

PrintHandOver::~PrintHandOver()
{
    if (!m_finished)
        LetGo({this});
}

// Told once, whatever comes first. A helper still running at this point is
// past its deadline and is ended; a page file it did not take goes.
void PrintHandOver::Finish(PrintResult result)
{
    if (m_finished)
        return;
    m_finished = true;
    m_delivery->deadline.stop();
    if (m_delivery->helper.state() != QProcess::NotRunning)
        m_delivery->helper.kill();
    m_delivery->page.reset();
    QMetaObject::invokeMethod(
        this, [this, result] { Q_EMIT finished(result); }, Qt::QueuedConnection);
}

} // namespace morvelt
