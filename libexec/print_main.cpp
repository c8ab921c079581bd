// morvelt-print PAGE MILLISECONDS
//
// Prints PAGE, a page file that the window wrote at the press of STAMPA, on
// the default printer, and says how it went by its exit status
// (print_status.h). MILLISECONDS is the time the window gives it before
// ending it. The print service is talked to on a thread of its own, so that
// the clock here holds whatever the service does: a little before the time
// runs out the helper gives up, cancelling a job that the service already
// holds, so that no page prints after the teacher was told it did not.

#include "libexec/cups_print.h"
#include "ui/printed_page.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QPageSize>
#include <QPdfWriter>

#include <charconv>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <string_view>
#include <thread>

using namespace morvelt;

namespace {

// What the helper keeps of its time to cancel a job before it is ended.
constexpr std::chrono::milliseconds CancelTime{1000};

constexpr char Title[] = "Morvelt";

int Exit(PrintResult result) { return static_cast<int>(result); }

// The page as one PDF, in memory: the print service takes PDF.
bool PdfPage(const QString& file, QByteArray& pdf)
{
    QFile input(file);
    PrintedPage page;
    if (!input.open(QIODevice::ReadOnly) || !LoadPage(input, page))
        return false;
    QBuffer output(&pdf);
    output.open(QIODevice::WriteOnly);
    QPdfWriter writer(&output);
    writer.setTitle(QString::fromLatin1(Title));
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem
                                     ? QPageSize::Letter
                                     : QPageSize::A4));
    return PaintPage(page, writer);
}

} // namespace

int main(int argc, char* argv[])
{
    int timeMs = 0;
    if (argc != 3
        || std::from_chars(argv[2], argv[2] + std::string_view(argv[2]).size(), timeMs).ec
               != std::errc()) {
        return Exit(PrintResult::PageNotPrepared);
    }
    const auto deadline = std::chrono::steady_clock::now()
        + std::chrono::milliseconds(timeMs) - CancelTime;

    // The helper shows nothing; the offscreen platform still gives it the
    // machine's fonts, which the PDF embeds.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QByteArray pdf;
    if (!PdfPage(QFile::decodeName(argv[1]), pdf))
        return Exit(PrintResult::PageNotPrepared);

    struct Outcome {
        std::mutex mutex;
        std::condition_variable done;
        bool ended = false;
        PrintResult result = PrintResult::Interrupted;
    } outcome;
    HeldJob job;
    std::thread service([&] {
        const PrintResult result = SendToDefaultPrinter({pdf.constData(), size_t(pdf.size())},
                                                        Title, job);
        const std::lock_guard lock(outcome.mutex);
        outcome.result = result;
        outcome.ended = true;
        outcome.done.notify_all();
    });

    std::unique_lock lock(outcome.mutex);
    if (outcome.done.wait_until(lock, deadline, [&] { return outcome.ended; })) {
        lock.unlock();
        service.join();
        return Exit(outcome.result);
    }
    lock.unlock();
    // The service thread may be in any wait of the library; it ends with
    // the process.
    job.Cancel(static_cast<int>(CancelTime.count() / 2));
    std::_Exit(Exit(PrintResult::NotAnswering));
}
