#pragma once

#include "print-helper/print_page_file.h"

#include <functional>
#include <thread>

namespace morvelt {

// Starts a thread; it throws as std::thread does when the system has none to
// give (std::system_error) or no memory for it.
using ThreadStarter = std::function<std::thread(std::function<void()>)>;

std::thread StartThread(std::function<void()> run);

// Prints the page (PrintPageFile) on this thread, where Qt wants its printers,
// while a watchdog started by startThread holds the clock, whatever the
// printing waits on: a little before the deadline it asks what became of a
// job that the service holds, and ends the process with that answer. A
// watchdog that cannot be started is a page that cannot be prepared.
PrintResult PrintBeforeDeadline(const PageFile& page, const char* title, Clock::time_point deadline,
                                const ThreadStarter& startThread);

} // namespace morvelt
