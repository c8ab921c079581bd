// morvelt-print PAGE MILLISECONDS
//
// Prints PAGE, a page file that the window wrote at the press of STAMPA, on
// the default printer, and says how it went by its exit status
// (print_status.h). MILLISECONDS is the time it has, from its start; by then
// it has exited, whatever the print service does (watchdog.h). It prints in
// a process that outlives the window (print_apart.h), and takes the page
// file as it starts: read, then removed, so that no student's page stays
// behind whatever ends the window, a crash included.

#include "page/page_file.h"
#include "page/window_face.h"
#include "print-helper/print_apart.h"
#include "print-helper/watchdog.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>

#include <charconv>
#include <new>
#include <string_view>

using namespace morvelt;

namespace {

constexpr char Title[] = "Morvelt";

int Exit(PrintResult result) { return static_cast<int>(result); }

QByteArray TakePageFile(const char* name)
{
    QFile file(QFile::decodeName(name));
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    file.remove();
    return bytes;
}

int Print(int argc, char* argv[], Clock::time_point deadline)
{
    QByteArray bytes = TakePageFile(argv[1]);
    // The helper shows nothing; the offscreen platform still gives it the
    // fonts, which the page embeds.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    LoadWindowFaces();
    QBuffer file(&bytes);
    PageFile page;
    if (!file.open(QIODevice::ReadOnly) || !page.Load(file))
        return Exit(PrintResult::PageNotPrepared);
    return Exit(PrintBeforeDeadline(page, Title, deadline, StartThread));
}

} // namespace

int main(int argc, char* argv[])
{
    int timeMs = 0;
    if (argc != 3
        || std::from_chars(argv[2], argv[2] + std::string_view(argv[2]).size(), timeMs).ec
               != std::errc()
        || timeMs <= 0) {
        return Exit(PrintResult::PageNotPrepared);
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeMs);
    if (const std::optional<int> status = PrintApart())
        return *status;
    try {
        return Print(argc, argv, deadline);
    } catch (const std::bad_alloc&) {
        return Exit(PrintResult::PageNotPrepared);
    }
}
