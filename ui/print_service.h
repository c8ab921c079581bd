#pragma once

#include <chrono>
#include <mutex>
#include <string>

namespace morvelt {

enum class PrintResult { Printed, NoDefaultPrinter, NotAnswering, Refused };

// How another thread gives up on a hand-over to the print service: at once,
// by shutting down the connection that the hand-over waits on.
class Cancellation {
public:
    void Cancel();
    bool Cancelled() const;

    // The connection's socket, from when it is open until just before it is
    // closed.
    void Attach(int socket);
    void Detach();

private:
    mutable std::mutex m_mutex;
    bool m_cancelled = false;
    int m_socket = -1;
};

// Sends a finished page file to the print service's default printer, through
// the service's own client library, which answers with a status rather than
// text to read. It blocks while the service makes up its mind, so it belongs
// off the window's thread. It gives up, reporting NotAnswering, when the
// service has not answered by the deadline, and as soon as it is cancelled
// (the result is then of no use to anyone).
PrintResult SendToDefaultPrinter(const std::string& file, const std::string& title,
                                 std::chrono::steady_clock::time_point deadline,
                                 Cancellation& cancellation);

} // namespace morvelt
