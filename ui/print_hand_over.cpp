#include "ui/print_hand_over.h"

#include "ui/identity.h"
#include "ui/print_page.h"

#include <QDir>
#include <QLocale>
#include <QPdfWriter>
#include <QTemporaryFile>

#include <condition_variable>
#include <mutex>

namespace morvelt {

namespace {

// How long closing the window waits for a dropped hand-over's thread to end.
// Cut off from its service, it ends at once; only a service still being
// looked up or connected to takes longer, and that thread is left to end
// with the program.
constexpr std::chrono::milliseconds DropWait{250};

// The window as it shows now, as a one-page PDF file, or nothing when the
// file cannot be written.
std::unique_ptr<QTemporaryFile> PageFile(QWidget& window)
{
    auto page = std::make_unique<QTemporaryFile>(QDir::tempPath()
                                                 + QStringLiteral("/morvelt-XXXXXX.pdf"));
    if (!page->open())
        return nullptr;
    {
        QPdfWriter writer(page.get());
        writer.setTitle(QString::fromLatin1(ApplicationTitle));
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem
                                         ? QPageSize::Letter
                                         : QPageSize::A4));
        if (!RenderPage(window, writer))
            return nullptr;
    }
    if (!page->flush())
        return nullptr;
    return page;
}

} // namespace

// What the hand-over's thread shares with the window's: it may outlive the
// PrintHandOver when the thread is left to end with the program.
struct PrintHandOver::Shared {
    Cancellation cancellation;
    std::mutex mutex;
    std::condition_variable doneChanged;
    bool done = false;
    PrintHandOver* receiver = nullptr; // cleared, under the mutex, when dropped
};

PrintHandOver::PrintHandOver(QWidget& window, QObject* parent)
    : QObject(parent)
    , m_shared(std::make_shared<Shared>())
    , m_page(PageFile(window))
{
    m_shared->receiver = this;
    if (!m_page) {
        // Nothing to hand over; say so once the caller has connected.
        QMetaObject::invokeMethod(
            this, [this] { Q_EMIT finished(PrintResult::Refused); }, Qt::QueuedConnection);
        return;
    }
    const std::string file = QFile::encodeName(m_page->fileName()).toStdString();
    const auto deadline = std::chrono::steady_clock::now() + AnswerTime;
    m_worker = std::thread([shared = m_shared, file, deadline] {
        const PrintResult result = SendToDefaultPrinter(file, ApplicationTitle, deadline,
                                                        shared->cancellation);
        const std::lock_guard lock(shared->mutex);
        shared->done = true;
        shared->doneChanged.notify_all();
        if (PrintHandOver* receiver = shared->receiver) {
            QMetaObject::invokeMethod(
                receiver, [receiver, result] { Q_EMIT receiver->finished(result); },
                Qt::QueuedConnection);
        }
    });
}

PrintHandOver::~PrintHandOver()
{
    if (!m_worker.joinable())
        return;
    std::unique_lock lock(m_shared->mutex);
    m_shared->receiver = nullptr;
    m_shared->cancellation.Cancel();
    const bool ended = m_shared->doneChanged.wait_for(lock, DropWait, [&] { return m_shared->done; });
    lock.unlock();
    if (ended)
        m_worker.join();
    else
        m_worker.detach();
    // m_page goes now, and its file with it: a service still reading it keeps
    // its own handle.
}

} // namespace morvelt
