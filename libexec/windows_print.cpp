#include "libexec/page_printer.h"
#include "ui/printed_page.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace morvelt {

// Qt's print engine names no job, so there is none to cancel: a page that
// Windows' spooler has taken prints.
void HeldJob::Cancel(int) {}

// Paints the page on the default printer through Qt's print engine, the
// spooler's own way in: it takes no PDF. The engine tells little: whether
// there is a default printer, and whether the spooler took the start and the
// end of the document. A spooler that does not decide in time is the
// caller's deadline.
PrintResult PrintPage(const PrintedPage& page, const char* title, HeldJob&)
{
    const QPrinterInfo destination = QPrinterInfo::defaultPrinter();
    if (destination.isNull())
        return PrintResult::NoDefaultPrinter;
    QPrinter printer(destination, QPrinter::HighResolution);
    printer.setDocName(QString::fromUtf8(title));
    if (!PaintPage(page, printer) || printer.printerState() == QPrinter::Error)
        return PrintResult::Refused;
    return PrintResult::Printed;
}

} // namespace morvelt
