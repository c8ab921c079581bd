#pragma once

#include <chrono>

namespace morvelt {

// How a press of STAMPA ended. The print helper tells the window by its exit
// status, which is the value here; any other status, or a crash, is a print
// that the helper did not see through.
enum class PrintResult : int {
    Printed = 0,
    NoDefaultPrinter = 10, // no print service here, or no default printer
    NotAnswering = 11,     // no decision by the deadline, and no job that may print
    Refused = 12,          // the scheduler refused the job, or asked for a password
    Interrupted = 13,      // the service broke off, or answered but not in IPP
    PageNotPrepared = 14,  // the page could not be written or read, or the
                           // helper could not make its watchdog
    NotConfirmed = 15,     // a job was made, and the service did not say
                           // what became of it: it may still print
    PrinterStopped = 16,   // the page is queued on a printer that is stopped
};

// How long past its deadline the window still waits for a helper. The helper
// exits by its deadline whatever the print service does, but counts it from
// its own start, which comes a moment after the press.
inline constexpr std::chrono::milliseconds LateHelper{1000};

} // namespace morvelt
