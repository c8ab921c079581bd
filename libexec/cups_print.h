#pragma once

#include "libexec/print_status.h"

#include <atomic>
#include <mutex>
#include <string>
#include <string_view>

namespace morvelt {

// The job that the print service holds for this page, once it has made one:
// what a cancellation needs.
class HeldJob {
public:
    void Set(std::string printer, int id);
    // Asks the service, on a connection of its own, to drop the job, if there
    // is one; waits for its answer for at most the given time.
    void Cancel(int milliseconds);

private:
    std::mutex m_mutex;
    std::string m_printer;
    int m_id = 0;
};

// Sends a PDF page to the default printer through the print service's client
// library. It counts the page as printed only when the scheduler has
// answered the upload of the whole document with success; a job made for a
// page that then did not print is cancelled. Some of the library's waits
// have no end of their own (a name lookup, a full connection queue, which
// is tried again), so the caller bounds it by the clock.
PrintResult SendToDefaultPrinter(std::string_view pdf, const char* title, HeldJob& job);

} // namespace morvelt
