// morvelt-print PAGE MILLISECONDS
//
// Prints PAGE, a page file that the window wrote at the press of STAMPA, on
// the default printer, and says how it went by its exit status
// (print_status.h). MILLISECONDS is the time the window gives it before
// ending it. The printing is the system's own (page_printer.h); a watchdog
// thread holds the clock whatever the service does: a little before the time
// runs out the helper gives up, cancelling a job that the service already
// holds, so that no page prints after the teacher was told it did not.

#include "libexec/page_printer.h"
#include "ui/printed_page.h"
#include "ui/window_face.h"

#include <QFile>
#include <QGuiApplication>

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

bool ReadPage(const QString& file, PrintedPage& page)
{
    QFile input(file);
    return input.open(QIODevice::ReadOnly) && LoadPage(input, page);
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
    // fonts, which the page embeds.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    LoadWindowFaces();
    PrintedPage page;
    if (!ReadPage(QFile::decodeName(argv[1]), page))
        return Exit(PrintResult::PageNotPrepared);

    // The page is printed on this thread, where Qt wants its printers; a
    // watchdog ends the process at the deadline, whatever the printing waits
    // on, after cancelling a job that the service already holds.
    struct Watch {
        std::mutex mutex;
        std::condition_variable done;
        bool over = false;
    } watch;
    HeldJob job;
    std::thread watchdog([&] {
        std::unique_lock lock(watch.mutex);
        if (watch.done.wait_until(lock, deadline, [&] { return watch.over; }))
            return;
        lock.unlock();
        job.Cancel(static_cast<int>(CancelTime.count() / 2));
        std::_Exit(Exit(PrintResult::NotAnswering));
    });
    const PrintResult result = PrintPage(page, Title, job);
    {
        const std::lock_guard lock(watch.mutex);
        watch.over = true;
    }
    watch.done.notify_all();
    watchdog.join();
    return Exit(result);
}
