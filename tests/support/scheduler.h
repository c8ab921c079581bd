#pragma once

// What the printing tests share. They print for real, through the CUPS
// schedulers that scripts/with-cups.sh starts for them in a temporary folder
// of its own, and learn about them from the environment that script sets:
//   CUPS_SERVER                 the socket of its scheduler
//   MORVELT_CUPS_QUEUE          the PDF queue it made the default printer
//   MORVELT_CUPS_PRINTOUT       the file in that folder the queue writes each
//                               job's page to
//   MORVELT_CUPS_EMPTY_SERVER   the socket of a second scheduler with no
//                               printer at all
//   MORVELT_CUPS_SKIP           why no scheduler could be started
// The same script keeps the user's and the machine's client settings out
// (HOME and CUPS_SERVERROOT are empty folders of its own; LPDEST and PRINTER
// are unset), so that the default printer is the queue whatever they say.
// Outside that script none of these is set and the tests skip: printing on
// whatever printer the machine happens to have is never what a test means.
// Under CI, which always runs them inside it, a test that finds no scheduler
// fails instead: a scheduler that did not start is never a green run.

#include <QString>
#include <QTest>

// Skips the test, saying why, when why is not empty; fails it under CI.
#define MORVELT_NEED_SCHEDULER(why)                                                                \
    do {                                                                                           \
        if (const QString reason = (why); !reason.isEmpty()) {                                     \
            if (qEnvironmentVariable("CI") == QLatin1String("true"))                               \
                QFAIL(qPrintable(reason + QStringLiteral(", and under CI every one must run")));   \
            QSKIP(qPrintable(reason));                                                             \
        }                                                                                          \
    } while (false)

namespace morvelt::printtest {

inline QString Setting(const char* name) { return qEnvironmentVariable(name); }

// Why this run cannot print through a scheduler of its own, or an empty text
// when it can.
inline QString WhyNoScheduler()
{
    if (const QString reason = Setting("MORVELT_CUPS_SKIP"); !reason.isEmpty())
        return reason;
    if (Setting("MORVELT_CUPS_QUEUE").isEmpty())
        return QStringLiteral("not run under scripts/with-cups.sh, so there is no "
                              "private print queue to print on");
    return {};
}

// The same for the second scheduler, the one with no printer.
inline QString WhyNoEmptyScheduler()
{
    if (const QString reason = WhyNoScheduler(); !reason.isEmpty())
        return reason;
    if (Setting("MORVELT_CUPS_EMPTY_SERVER").isEmpty())
        return QStringLiteral("this session has no scheduler without printers to print on");
    return {};
}

} // namespace morvelt::printtest
