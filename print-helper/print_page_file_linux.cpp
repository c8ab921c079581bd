#include "page/page_file.h"
#include "print-helper/print_page_file.h"

#include <cups/cups.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>
#include <thread>

namespace morvelt {

namespace {

// How long one connection attempt may take, and the pause before the next
// when the service's queue of connections is full.
constexpr int ConnectMs = 5000;
constexpr auto RetryPause = std::chrono::milliseconds(100);
// How long the service may take over the questions about a job whose
// printing broke off: its state, and its cancellation.
constexpr auto StateTime = std::chrono::milliseconds(2000);
constexpr auto CancelTime = std::chrono::milliseconds(5000);

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
using Answer = std::unique_ptr<ipp_t, DeleteIpp>;

// A server that asks for a password is told no at once: the helper has no
// one to ask, and the library's own prompt would read the terminal the
// program was started from. The library keeps this per thread.
const char* NoPassword(const char*, http_t*, const char*, const char*, void*) { return nullptr; }

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
    const bool listens = ::connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address)
                             == 0
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
        Connection http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(),
                                     1, 0, nullptr));
        if (!http) {
            failure = PrintResult::NoDefaultPrinter;
            return nullptr;
        }
        const auto start = std::chrono::steady_clock::now();
        if (httpReconnect2(http.get(), ConnectMs, nullptr) == 0)
            return http;
        const char* server = cupsServer();
        const bool busy = server[0] == '/' ? LocalServiceListens(server)
                                           : std::chrono::steady_clock::now() - start
                                                 >= std::chrono::milliseconds(ConnectMs);
        if (!busy) {
            failure = PrintResult::NoDefaultPrinter;
            return nullptr;
        }
        std::this_thread::sleep_for(RetryPause);
    }
}

// What a request that did not succeed tells, by the answer it got. No answer
// at all (a hang-up, something that is not HTTP), or an HTTP answer that is
// not IPP (a busy or broken server, a web page), is a service that broke
// off; a request for a password, or a forbidden one, is a printer that did
// not take the page. Otherwise the scheduler answered in IPP, and what that
// means is the caller's.
PrintResult Failure(http_t* http, PrintResult schedulerSaid)
{
    switch (httpGetStatus(http)) {
    case HTTP_STATUS_OK: {
        const char* type = httpGetField(http, HTTP_FIELD_CONTENT_TYPE);
        return type && std::string_view(type).starts_with("application/ipp")
                   ? schedulerSaid
                   : PrintResult::Interrupted;
    }
    case HTTP_STATUS_UNAUTHORIZED:
    case HTTP_STATUS_FORBIDDEN:
    case HTTP_STATUS_CUPS_AUTHORIZATION_CANCELED:
        return PrintResult::Refused;
    default:
        return PrintResult::Interrupted;
    }
}

// A connection of its own for a question about a job, or none when the
// service cannot be reached before until; every wait on it ends then.
Connection Open(Clock::time_point until)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
    if (left.count() <= 0)
        return nullptr;
    cupsSetPasswordCB2(NoPassword, nullptr);
    Connection http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                 static_cast<int>(left.count()), nullptr));
    if (http)
        httpSetTimeout(http.get(), left.count() / 1000.0, nullptr, nullptr);
    return http;
}

// The job's state as the scheduler tells it, or nothing when it does not.
std::optional<ipp_jstate_t> JobState(int id, Clock::time_point until)
{
    const Connection http = Open(until);
    if (!http)
        return std::nullopt;
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/jobs/%d", id);
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "job-state");
    const Answer answer(cupsDoRequest(http.get(), request, "/"));
    if (!answer || ippGetStatusCode(answer.get()) > IPP_STATUS_OK_CONFLICTING)
        return std::nullopt;
    ipp_attribute_t* state = ippFindAttribute(answer.get(), "job-state", IPP_TAG_ENUM);
    if (!state)
        return std::nullopt;
    return static_cast<ipp_jstate_t>(ippGetInteger(state, 0));
}

// What a state says of the page: printed or on its way, or never to print.
// Nothing for a job that waits, or no state.
std::optional<bool> Printed(std::optional<ipp_jstate_t> state)
{
    switch (state.value_or(IPP_JSTATE_PENDING)) {
    case IPP_JSTATE_COMPLETED:
    case IPP_JSTATE_PROCESSING:
        return true;
    case IPP_JSTATE_CANCELED:
    case IPP_JSTATE_ABORTED:
        return false;
    default:
        return std::nullopt;
    }
}

enum class Cancelling { Confirmed, Declined, Unanswered };

Cancelling Cancel(const std::string& printer, int id, Clock::time_point until)
{
    const Connection http = Open(until);
    if (!http)
        return Cancelling::Unanswered;
    if (cupsCancelJob2(http.get(), printer.c_str(), id, 0) <= IPP_STATUS_OK_CONFLICTING)
        return Cancelling::Confirmed;
    return Failure(http.get(), PrintResult::Refused) == PrintResult::Refused
               ? Cancelling::Declined
               : Cancelling::Unanswered;
}

// Whether the queue that took the page is stopped, by the scheduler's word;
// a question not answered changes nothing, since the page was taken.
bool QueueStopped(http_t* http, const char* printer)
{
    const std::unique_ptr<cups_dest_t, FreeDestination> queue(
        cupsGetNamedDest(http, printer, nullptr));
    const char* state = queue ? cupsGetOption("printer-state", queue->num_options, queue->options)
                              : nullptr;
    return state && std::string_view(state) == "5"; // IPP_PSTATE_STOPPED
}

} // namespace

PrintResult JobFate(const std::string& printer, int id, PrintResult failure,
                    Clock::time_point until)
{
    const auto told = [failure](bool printed) { return printed ? PrintResult::Printed : failure; };
    if (const auto printed = Printed(JobState(id, std::min(until, Clock::now() + StateTime))))
        return told(*printed);
    // Waiting, held, stopped, or not said: it must not print later.
    switch (Cancel(printer, id, std::min(until, Clock::now() + CancelTime))) {
    case Cancelling::Confirmed:
        return failure;
    case Cancelling::Declined:
        // Not cancellable any more: it has moved on, to paper or not.
        if (const auto printed = Printed(JobState(id, until)))
            return told(*printed);
        break;
    case Cancelling::Unanswered:
        break;
    }
    return PrintResult::NotConfirmed;
}

// Sends the page to the default printer. It counts as printed only when the
// scheduler has answered the upload of the whole document with success; a
// job made for a page that then broke off is asked after (JobFate). A page
// taken by a stopped queue is told, since it waits there.
PrintResult PrintPageFile(const PageFile& page, const char* title, HeldJob& job,
                          Clock::time_point until)
{
    // The print service takes PDF.
    const QByteArray pdf = page.Pdf(QString::fromUtf8(title));
    if (pdf.isEmpty())
        return PrintResult::PageNotPrepared;

    cupsSetPasswordCB2(NoPassword, nullptr);
    PrintResult failure = PrintResult::NoDefaultPrinter;
    const Connection http = Connect(failure);
    if (!http)
        return failure;

    // The user's own choice (lpoptions, LPDEST, PRINTER) or the service's.
    const std::unique_ptr<cups_dest_t, FreeDestination> printer(
        cupsGetNamedDest(http.get(), nullptr, nullptr));
    if (!printer)
        return Failure(http.get(), PrintResult::NoDefaultPrinter);

    const int id = cupsCreateJob(http.get(), printer->name, title, printer->num_options,
                                 printer->options);
    if (id <= 0)
        return Failure(http.get(), PrintResult::Refused);
    job.Set(printer->name, id);

    // The whole document in one piece, then the scheduler's answer to it: a
    // job number alone is no page, since a service that dies with the page
    // in hand still gave one.
    const std::string resource = std::string("/printers/") + printer->name;
    PrintResult result = PrintResult::Printed;
    if (cupsStartDocument(http.get(), printer->name, id, title, CUPS_FORMAT_PDF, 1)
            != HTTP_STATUS_CONTINUE
        || cupsWriteRequestData(http.get(), pdf.constData(), pdf.size()) != HTTP_STATUS_CONTINUE) {
        result = Failure(http.get(), PrintResult::Refused);
    } else {
        const Answer answer(cupsGetResponse(http.get(), resource.c_str()));
        if (!answer)
            result = Failure(http.get(), PrintResult::Interrupted);
        else if (ippGetStatusCode(answer.get()) >= IPP_STATUS_REDIRECTION_OTHER_SITE)
            result = PrintResult::Refused;
    }
    if (result != PrintResult::Printed)
        return job.Fate(result, until).value_or(result);
    job.Taken();
    return QueueStopped(http.get(), printer->name) ? PrintResult::PrinterStopped
                                                   : PrintResult::Printed;
}

} // namespace morvelt
