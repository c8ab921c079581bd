#include "libexec/page_printer.h"
#include "ui/printed_page.h"

#include <QBuffer>
#include <QLocale>
#include <QPageSize>
#include <QPdfWriter>

#include <cups/cups.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

namespace morvelt {

namespace {

// How long one connection attempt may take, and the pause before the next
// when the service's queue of connections is full.
constexpr int ConnectMs = 5000;
constexpr auto RetryPause = std::chrono::milliseconds(100);

struct CloseConnection {
    void operator()(http_t* http) const { httpClose(http); }
};
using Connection = std::unique_ptr<http_t, CloseConnection>;

struct FreeDestination {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};

struct DeleteIpp {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};

// Whether something listens at the print service's socket on this machine,
// taking connections or too busy to take one now; the library reports both
// a missing service and a full connection queue as a host that is down.
bool LocalServiceListens(const char* path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (std::strlen(path) >= sizeof address.sun_path)
        return false;
    std::strcpy(address.sun_path, path);
    const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (probe < 0)
        return true; // out of sockets here, not a missing service
    const bool listens = ::connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
                         || errno == EAGAIN || errno == EINPROGRESS;
    ::close(probe);
    return listens;
}

// A connection to the print service, or why there is none: nothing to talk
// to (no socket, nothing listening, a server that refuses at once or whose
// name does not resolve) is a machine that cannot print. A service that
// cannot take the connection yet is tried again; the caller's clock ends
// the waiting.
Connection Connect(PrintResult& failure)
{
    for (;;) {
        // Made without connecting, then connected, so that the connection
        // is only tried where the name resolved.
        Connection http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC,
                                     cupsEncryption(), 1, 0, nullptr));
        if (!http) {
            failure = PrintResult::NoDefaultPrinter;
            return nullptr;
        }
        const auto start = std::chrono::steady_clock::now();
        if (httpReconnect2(http.get(), ConnectMs, nullptr) == 0)
            return http;
        const char* server = cupsServer();
        const bool busy = server[0] == '/'
            ? LocalServiceListens(server)
            : std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(ConnectMs);
        if (!busy) {
            failure = PrintResult::NoDefaultPrinter;
            return nullptr;
        }
        std::this_thread::sleep_for(RetryPause);
    }
}

// The page as one PDF, in memory: the print service takes PDF.
bool PdfPage(const PrintedPage& page, const char* title, QByteArray& pdf)
{
    QBuffer output(&pdf);
    output.open(QIODevice::WriteOnly);
    QPdfWriter writer(&output);
    writer.setTitle(QString::fromUtf8(title));
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem
                                     ? QPageSize::Letter
                                     : QPageSize::A4));
    return PaintPage(page, writer);
}

// Whether the last request got no answer at all: the service hung up, or
// answered something that is not HTTP. Otherwise what went wrong is the
// scheduler's word.
PrintResult Failure(http_t* http)
{
    return httpGetStatus(http) == HTTP_STATUS_ERROR ? PrintResult::Interrupted
                                                    : PrintResult::Refused;
}

} // namespace

void HeldJob::Cancel(int milliseconds)
{
    std::string printer;
    int id = 0;
    {
        const std::lock_guard lock(m_mutex);
        std::swap(id, m_id);
        printer = m_printer;
    }
    if (id <= 0)
        return;
    // One attempt: a service that does not take it keeps the job.
    const Connection http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC,
                                       cupsEncryption(), 1, milliseconds, nullptr));
    if (http) {
        httpSetTimeout(http.get(), milliseconds / 1000.0, nullptr, nullptr);
        cupsCancelJob2(http.get(), printer.c_str(), id, 0);
    }
}

// Sends the page to the default printer. It counts as printed only when the
// scheduler has answered the upload of the whole document with success; a
// job made for a page that then did not print is cancelled.
PrintResult PrintPage(const PrintedPage& page, const char* title, HeldJob& job)
{
    QByteArray pdf;
    if (!PdfPage(page, title, pdf))
        return PrintResult::PageNotPrepared;

    PrintResult failure = PrintResult::NoDefaultPrinter;
    const Connection http = Connect(failure);
    if (!http)
        return failure;

    // The user's own choice (lpoptions, LPDEST, PRINTER) or the service's.
    const std::unique_ptr<cups_dest_t, FreeDestination> printer(
        cupsGetNamedDest(http.get(), nullptr, nullptr));
    if (!printer) {
        return Failure(http.get()) == PrintResult::Interrupted ? PrintResult::Interrupted
                                                               : PrintResult::NoDefaultPrinter;
    }

    const int id = cupsCreateJob(http.get(), printer->name, title, printer->num_options,
                                 printer->options);
    if (id <= 0)
        return Failure(http.get());
    job.Set(printer->name, id);

    // The whole document in one piece, then the scheduler's answer to it: a
    // job number alone is no page, since a service that dies with the page
    // in hand still gave one.
    const std::string resource = std::string("/printers/") + printer->name;
    PrintResult result = PrintResult::Printed;
    if (cupsStartDocument(http.get(), printer->name, id, title, CUPS_FORMAT_PDF, 1)
            != HTTP_STATUS_CONTINUE
        || cupsWriteRequestData(http.get(), pdf.constData(), pdf.size()) != HTTP_STATUS_CONTINUE) {
        result = Failure(http.get());
    } else {
        const std::unique_ptr<ipp_t, DeleteIpp> answer(cupsGetResponse(http.get(),
                                                                       resource.c_str()));
        if (!answer)
            result = PrintResult::Interrupted;
        else if (ippGetStatusCode(answer.get()) >= IPP_STATUS_REDIRECTION_OTHER_SITE)
            result = PrintResult::Refused;
    }
    if (result != PrintResult::Printed)
        job.Cancel(ConnectMs);
    return result;
}

} // namespace morvelt
