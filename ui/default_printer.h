#pragma once

class QWidget;

namespace morvelt {

enum class PrintResult { Printed, NoDefaultPrinter, Refused };

// Prints the window, as it shows now, on one page of the system's default
// printer, with no dialog. The print service's own client programs send the
// job, so that a queue that does not take it is known: Qt's print engine
// drops that answer.
PrintResult PrintOnDefaultPrinter(QWidget& window);

} // namespace morvelt
