#include "ui/print_service.h"

#include <cups/cups.h>
#include <sys/socket.h>

#include <algorithm>
#include <memory>

namespace morvelt {

void Cancellation::Cancel()
{
    const std::lock_guard lock(m_mutex);
    m_cancelled = true;
    if (m_socket >= 0)
        ::shutdown(m_socket, SHUT_RDWR);
}

bool Cancellation::Cancelled() const
{
    const std::lock_guard lock(m_mutex);
    return m_cancelled;
}

void Cancellation::Attach(int socket)
{
    const std::lock_guard lock(m_mutex);
    m_socket = socket;
    if (m_cancelled)
        ::shutdown(m_socket, SHUT_RDWR);
}

void Cancellation::Detach()
{
    const std::lock_guard lock(m_mutex);
    m_socket = -1;
}

namespace {

using Clock = std::chrono::steady_clock;

// How often a wait for the service looks at the clock.
constexpr double PollSeconds = 0.1;

struct Watch {
    Clock::time_point deadline;
    const Cancellation& cancellation;
    bool gaveUp = false;
};

// Called by the client library whenever the service has been silent for a
// poll period; returning 0 ends the wait as a failure.
int KeepWaiting(http_t*, void* data)
{
    auto& watch = *static_cast<Watch*>(data);
    if (watch.cancellation.Cancelled() || Clock::now() >= watch.deadline) {
        watch.gaveUp = true;
        return 0;
    }
    return 1;
}

// The connection to the print service, which a Cancellation can cut.
class Connection {
public:
    Connection(http_t* http, Cancellation& cancellation)
        : m_http(http)
        , m_cancellation(cancellation)
    {
        if (m_http)
            m_cancellation.Attach(httpGetFd(m_http));
    }
    ~Connection()
    {
        if (m_http) {
            m_cancellation.Detach();
            httpClose(m_http);
        }
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    http_t* get() const { return m_http; }

private:
    http_t* m_http;
    Cancellation& m_cancellation;
};

struct FreeDestination {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};

} // namespace

PrintResult SendToDefaultPrinter(const std::string& file, const std::string& title,
                                 Clock::time_point deadline, Cancellation& cancellation)
{
    Watch watch{deadline, cancellation};
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    // The library's settings (CUPS_SERVER, client.conf) are read per thread,
    // so each hand-over sees the machine as it is now.
    const Connection http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC,
                                       cupsEncryption(), 1,
                                       static_cast<int>(std::max<long long>(left.count(), 1)),
                                       nullptr),
                          cancellation);
    if (!http.get()) {
        // No print service to talk to: nothing on this machine can print, so
        // for the teacher no default printer is set up. A service that could
        // not even be reached by the deadline is one that does not answer.
        return Clock::now() >= deadline ? PrintResult::NotAnswering
                                        : PrintResult::NoDefaultPrinter;
    }
    httpSetTimeout(http.get(), PollSeconds, KeepWaiting, &watch);

    // The user's own choice (lpoptions, LPDEST, PRINTER) or the service's.
    const std::unique_ptr<cups_dest_t, FreeDestination> printer(
        cupsGetNamedDest(http.get(), nullptr, nullptr));
    if (watch.gaveUp)
        return PrintResult::NotAnswering;
    if (!printer)
        return PrintResult::NoDefaultPrinter;

    // The service has the whole file when this returns, so the file may go.
    const int job = cupsPrintFile2(http.get(), printer->name, file.c_str(), title.c_str(),
                                   printer->num_options, printer->options);
    if (watch.gaveUp)
        return PrintResult::NotAnswering;
    return job > 0 ? PrintResult::Printed : PrintResult::Refused;
}

} // namespace morvelt
