#pragma once

#include "page/print_status.h"

#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace morvelt {

using Clock = std::chrono::steady_clock;

// The job that the print service holds for this page, once it has made one.
// When the printing gives up on it, on the printing thread (a broken
// answer) or on the watchdog's (the deadline), the first of them to ask
// takes the job and asks the service what became of it.
class HeldJob {
public:
    void Set(std::string printer, int id)
    {
        const std::lock_guard lock(m_mutex);
        m_printer = std::move(printer);
        m_id = id;
    }

    // The scheduler took the page: whatever comes after, it is printed.
    void Taken()
    {
        const std::lock_guard lock(m_mutex);
        m_taken = true;
    }

    // What became of the page when the printing gave up with failure, asked
    // before until (JobFate). Nothing when the other thread is asking it
    // already.
    std::optional<PrintResult> Fate(PrintResult failure, Clock::time_point until);

private:
    std::mutex m_mutex;
    std::string m_printer;
    int m_id = 0;
    bool m_taken = false;
    bool m_asked = false;
};

// What became of the job, by the service's own word, asked before until,
// the way of this system: completed or printing is Printed, and the job is
// left alone; cancelled or aborted is the failure; a job that waits is
// cancelled, and once the service confirms it, the failure stands. What the
// service does not say in time is NotConfirmed: the page may still print.
PrintResult JobFate(const std::string& printer, int id, PrintResult failure,
                    Clock::time_point until);

struct PageFile;

// Prints the page on the default printer, the way of this system: on Linux
// through CUPS's client library, on Windows through Qt's print engine
// (print_page_file_linux.cpp, print_page_file_windows.cpp). Some waits have no end of their own, so
// the caller bounds it by the clock, at until; a job that the service holds
// is told to the caller through job, whose fate the caller learns if until
// comes first.
PrintResult PrintPageFile(const PageFile& page, const char* title, HeldJob& job,
                          Clock::time_point until);

} // namespace morvelt
