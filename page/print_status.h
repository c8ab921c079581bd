#pragma once

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

} // namespace morvelt
