#pragma once

#include "libexec/print_status.h"

#include <mutex>
#include <string>
#include <utility>

namespace morvelt {

// The job that the print service holds for this page, once it has made one:
// what a cancellation needs. Where the system's printing gives no job to
// name, there is none to cancel.
class HeldJob {
public:
    void Set(std::string printer, int id)
    {
        const std::lock_guard lock(m_mutex);
        m_printer = std::move(printer);
        m_id = id;
    }
    // Asks the service, on a connection of its own, to drop the job, if there
    // is one; waits for its answer for at most the given time.
    void Cancel(int milliseconds);

private:
    std::mutex m_mutex;
    std::string m_printer;
    int m_id = 0;
};

struct PrintedPage;

// Prints the page on the default printer, the way of this system: on Linux
// through CUPS's client library (cups_print.cpp), on Windows through Qt's
// print engine (windows_print.cpp). Some waits have no end of their own, so
// the caller bounds it by the clock; a job that the service holds is told
// to the caller through job, so that it can be cancelled at the deadline.
PrintResult PrintPage(const PrintedPage& page, const char* title, HeldJob& job);

} // namespace morvelt
