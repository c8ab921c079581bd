// STAMPA on a machine whose print system knows no printer, the state of a
// fresh installation: the scheduler runs but no queue is there to be the
// default. The teacher learns it from one message, and the window, with the
// result not yet on paper, stays exactly as it was.

#include "tests/support/print_session.h"

#include <QPrinterInfo>

using namespace morvelt::printtest;

namespace {

// The scheduler this program talks to is chosen before anything asks CUPS,
// which keeps its choice for the life of the process.
void UseEmptyScheduler()
{
    const QString empty = Setting("MORVELT_CUPS_EMPTY_SERVER");
    if (!empty.isEmpty())
        qputenv("CUPS_SERVER", empty.toLocal8Bit());
}

} // namespace

class NoDefaultPrinterTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void printWithoutDefaultPrinterSaysSoOnce()
    {
        MORVELT_NEED_SCHEDULER(WhyNoEmptyScheduler());
        QVERIFY2(QPrinterInfo::availablePrinterNames().isEmpty(),
                 qPrintable(QPrinterInfo::availablePrinterNames().join(", ")));
        QVERIFY(QPrinterInfo::defaultPrinter().isNull());

        ScriptedPrompter prompter{"4", "5", "3"};
        auto window = GradedWindow(prompter, "3", "Maria Rossi", "3B");
        QVERIFY(window);
        QCOMPARE(Caption(*window, "lblpunti"), QStringLiteral(" +4 +5 +3 =  12 su  15"));
        const QStringList before = Shown(*window);
        const QStringList asked = Asked(prompter);

        QVERIFY(ClickControl(*window, "Command3"));

        QTRY_COMPARE_WITH_TIMEOUT(
            Messages(prompter),
            QStringList{"Impossibile stampare: non è impostata una stampante predefinita."}, 20000);
        QCOMPARE(Asked(prompter), asked);
        QCOMPARE(Shown(*window), before);
    }
};

MORVELT_UI_TEST_MAIN_PREPARED(NoDefaultPrinterTest, UseEmptyScheduler)

#include "no_default_printer_test.moc"
