#pragma once

namespace morvelt {

// How a press of STAMPA ended. The print helper tells the window by its exit
// status, which is the value here; any other status, or a crash, is a print
// that the helper did not see through.
enum class PrintResult : int {
    Printed = 0,
    NoDefaultPrinter = 10, // no print service here, or no default printer
    NotAnswering = 11,     // no decision by the deadline
    Refused = 12,          // the scheduler's answer refused the job
    Interrupted = 13,      // the service broke off or answered no IPP
    PageNotPrepared = 14,  // the page could not be written or read
};

} // namespace morvelt
