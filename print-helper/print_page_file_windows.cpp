#include "page/page_file.h"
#include "print-helper/print_page_file.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <windows.h>
#include <winspool.h>

#include <vector>

namespace morvelt {

namespace {

// Whether the spooler holds the printer paused or offline, where a page that
// it took waits; a status that cannot be read changes nothing, since the
// page was taken.
bool PrinterStoppedNow(const QString& name)
{
    std::wstring printerName = name.toStdWString();
    HANDLE printer = nullptr;
    if (!OpenPrinterW(printerName.data(), &printer, nullptr))
        return false;
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed);
    const bool read = needed > 0 && GetPrinterW(printer, 2, info.data(), needed, &needed);
    ClosePrinter(printer);
    if (!read)
        return false;
    const DWORD status = reinterpret_cast<const PRINTER_INFO_2W*>(info.data())->Status;
    return (status & (PRINTER_STATUS_PAUSED | PRINTER_STATUS_OFFLINE)) != 0;
}

} // namespace

// Qt's print engine names no job, so there is none to ask after: a page that
// Windows' spooler took is the spooler's.
PrintResult JobFate(const std::string&, int, PrintResult failure, Clock::time_point)
{
    return failure;
}

// Paints the page on the default printer through Qt's print engine, the
// spooler's own way in: it takes no PDF. The engine tells little: whether
// there is a default printer, and whether the spooler took the start and the
// end of the document. A spooler that does not decide in time is the
// caller's deadline.
PrintResult PrintPageFile(const PageFile& page, const char* title, HeldJob&, Clock::time_point)
{
    const QPrinterInfo destination = QPrinterInfo::defaultPrinter();
    if (destination.isNull())
        return PrintResult::NoDefaultPrinter;
    QPrinter printer(destination, QPrinter::HighResolution);
    printer.setDocName(QString::fromUtf8(title));
    if (!page.Paint(printer) || printer.printerState() == QPrinter::Error)
        return PrintResult::Refused;
    return PrinterStoppedNow(destination.printerName()) ? PrintResult::PrinterStopped
                                                        : PrintResult::Printed;
}

} // namespace morvelt
