// The print helper's word on each way a page can fare, the helper run as the
// window runs it, `morvelt-print PAGE MILLISECONDS`: against fake print
// services on sockets of their own, and against the private scheduler of
// scripts/with-cups.sh, straight or through a relay that keeps back its
// answer to the page. Each row checks the exit status, that it came by the
// time the window waits for it, that the page file was taken, and, where the
// scheduler made a job, that it made one and what became of it there. The
// rows that need the scheduler are a test function of their own, which CTest
// runs apart, so that the others can only pass or fail.

#include "page/page_file.h"
#include "page/print_status.h"
#include "print-helper/watchdog.h"
#include "tests/print/fake_service.h"
#include "tests/print/withholding_relay.h"
#include "tests/support/scheduler.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cups/cups.h>

#include <algorithm>
#include <csignal>
#include <map>
#include <new>
#include <system_error>

using namespace morvelt;
using namespace morvelt::printtest;
using namespace std::chrono_literals;

namespace {

// Where the helper finds its print service.
enum class Route {
    Fake,           // a fake service
    Straight,       // the private scheduler
    Withheld,       // the scheduler, its answer to the page kept back 1 s
    WithheldSilent, // the same, then no answer to anything
};

enum class Queue { Printing, Stopped };

// How the helper is started: as the window starts it, or by a launcher that
// left SIGCHLD ignored, which a process inherits.
enum class Launch { Plain, ChildSignalIgnored };

bool Admin(const char* program, const QStringList& arguments)
{
    QProcess admin;
    admin.start(QString::fromLatin1(program), arguments);
    return admin.waitForFinished(30'000) && admin.exitStatus() == QProcess::NormalExit
           && admin.exitCode() == 0;
}

// Every job on the private scheduler, by number, with its state.
std::map<int, int> Jobs()
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
    std::map<int, int> states;
    for (int i = 0; i < count; ++i)
        states[jobs[i].id] = jobs[i].state;
    cupsFreeJobs(count, jobs);
    return states;
}

int NewestJob()
{
    const std::map<int, int> jobs = Jobs();
    return jobs.empty() ? 0 : jobs.rbegin()->first;
}

PageFile SomePage()
{
    PageFile page;
    page.size = QSize(761, 540);
    QPainter painter(&page.picture);
    painter.drawText(40, 40, QStringLiteral("Maria Rossi 3B 8,20"));
    painter.end();
    return page;
}

bool WritePage(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && SomePage().Save(file);
}

} // namespace

Q_DECLARE_METATYPE(Service)
Q_DECLARE_METATYPE(Route)
Q_DECLARE_METATYPE(Queue)
Q_DECLARE_METATYPE(Launch)
Q_DECLARE_METATYPE(PrintResult)

class HelperTest : public QObject {
    Q_OBJECT

private:
    static void AddColumns();
    static void CheckFare();

private Q_SLOTS:
    void cleanup();
    void pageFareIsTheServicesWord_data();
    void pageFareIsTheServicesWord();
    void pageFareOnTheScheduler_data();
    void pageFareOnTheScheduler();
    void noWatchdogNoPage_data();
    void noWatchdogNoPage();
};

void HelperTest::cleanup()
{
    if (!Setting("MORVELT_CUPS_QUEUE").isEmpty()) {
        Admin("cupsenable", {Setting("MORVELT_CUPS_QUEUE")});
        Admin("cancel", {"-a", Setting("MORVELT_CUPS_QUEUE")});
    }
}

void HelperTest::AddColumns()
{
    QTest::addColumn<Route>("route");
    QTest::addColumn<Service>("service"); // on the fake route
    QTest::addColumn<Queue>("queue");     // on the scheduler's
    QTest::addColumn<Launch>("launch");
    QTest::addColumn<int>("timeMs"); // the helper's
    QTest::addColumn<PrintResult>("status");
    QTest::addColumn<int>("jobState"); // on the scheduler, once the helper is gone
}

void HelperTest::pageFareIsTheServicesWord_data()
{
    // clang-format off
    AddColumns();
    const auto fake = [](const char* name, Service service, int timeMs, PrintResult status,
                         Launch launch = Launch::Plain) {
        QTest::newRow(name) << Route::Fake << service << Queue::Printing << launch << timeMs
                            << status << 0;
    };
    fake("no print service at all", Service::None, 15000, PrintResult::NoDefaultPrinter);
    fake("a service that never answers: no decision by the deadline", Service::Silent, 1500,
         PrintResult::NotAnswering);
    fake("a service whose connection queue is full", Service::FullQueue, 1500,
         PrintResult::NotAnswering);
    fake("a service that answers no HTTP", Service::Garbage, 15000, PrintResult::Interrupted);
    fake("a service that hangs up before its answer", Service::ClosesBeforeAnswer, 15000,
         PrintResult::Interrupted);
    fake("a server that asks for a password is told no", Service::AsksPassword, 15000,
         PrintResult::Refused);
    fake("a server that answers 503", Service::Unavailable, 15000, PrintResult::Interrupted);
    fake("a web page where the print service should be", Service::WebPage, 15000,
         PrintResult::Interrupted);
    fake("started with SIGCHLD ignored: the printing child's word, not a second try",
         Service::None, 15000, PrintResult::NoDefaultPrinter, Launch::ChildSignalIgnored);
    // clang-format on
}

void HelperTest::pageFareIsTheServicesWord() { CheckFare(); }

void HelperTest::pageFareOnTheScheduler_data()
{
    // clang-format off
    AddColumns();
    const auto scheduler = [](const char* name, Route route, Queue queue, int timeMs,
                              PrintResult status, ipp_jstate_t jobState,
                              Launch launch = Launch::Plain) {
        QTest::newRow(name) << route << Service::None << queue << launch << timeMs << status
                            << int(jobState);
    };
    scheduler("the scheduler takes the page", Route::Straight, Queue::Printing, 15000,
              PrintResult::Printed, IPP_JSTATE_COMPLETED);
    scheduler("a stopped queue takes the page and holds it", Route::Straight, Queue::Stopped,
              15000, PrintResult::PrinterStopped, IPP_JSTATE_PENDING);
    scheduler("the answer withheld, the queue printing: the page printed", Route::Withheld,
              Queue::Printing, 15000, PrintResult::Printed, IPP_JSTATE_COMPLETED);
    scheduler("the answer withheld, the queue stopped: the job cancelled", Route::Withheld,
              Queue::Stopped, 15000, PrintResult::Interrupted, IPP_JSTATE_CANCELED);
    scheduler("the answer withheld, then silence: the page's fate unknown",
              Route::WithheldSilent, Queue::Stopped, 6000, PrintResult::NotConfirmed,
              IPP_JSTATE_PENDING);
    scheduler("started with SIGCHLD ignored: one job, printed", Route::Straight,
              Queue::Printing, 15000, PrintResult::Printed, IPP_JSTATE_COMPLETED,
              Launch::ChildSignalIgnored);
    // clang-format on
}

void HelperTest::pageFareOnTheScheduler()
{
    MORVELT_NEED_SCHEDULER(WhyNoScheduler());
    CheckFare();
}

void HelperTest::CheckFare()
{
    QFETCH(Route, route);
    QFETCH(Service, service);
    QFETCH(Queue, queue);
    QFETCH(Launch, launch);
    QFETCH(int, timeMs);
    QFETCH(PrintResult, status);
    QFETCH(int, jobState);
    const QString scheduler = Setting("CUPS_SERVER");
    const QString queueName = Setting("MORVELT_CUPS_QUEUE");

    QTemporaryDir dir;
    const QString socket = dir.filePath(QStringLiteral("service.sock"));
    const FakeService fake(socket, route == Route::Fake ? service : Service::None);
    QVERIFY(fake.ready());
    std::optional<WithholdingRelay> relay;
    if (route == Route::Withheld || route == Route::WithheldSilent) {
        relay.emplace(socket, scheduler, 1000ms,
                      route == Route::Withheld ? WithholdingRelay::After::Relaying
                                               : WithholdingRelay::After::Silent);
        QVERIFY(relay->ready());
    }
    if (queue == Queue::Stopped)
        QVERIFY(Admin("cupsdisable", {queueName}));
    const int before = route == Route::Fake ? 0 : NewestJob();

    const QString page = dir.filePath(QStringLiteral("morvelt-row.page"));
    QVERIFY(WritePage(page));
    QProcess helper;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CUPS_SERVER"),
                       route == Route::Straight ? scheduler : socket);
    helper.setProcessEnvironment(environment);
    if (launch == Launch::ChildSignalIgnored)
        helper.setChildProcessModifier([] { ::signal(SIGCHLD, SIG_IGN); });
    QElapsedTimer clock;
    clock.start();
    helper.start(QStringLiteral(MORVELT_PRINT_HELPER), {page, QString::number(timeMs)});
    QVERIFY2(helper.waitForFinished(timeMs + 5000), "the helper did not end");
    const qint64 took = clock.elapsed();
    QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
    QCOMPARE(PrintResult(helper.exitCode()), status);
    // The helper counts its deadline from its own start, a moment after this
    // clock's; the window waits for it that long past the deadline. An
    // answer that was the service's own came before the deadline.
    const bool byDeadline = status == PrintResult::NotAnswering
                            || status == PrintResult::NotConfirmed;
    const qint64 within = byDeadline ? timeMs + LateHelper.count() : timeMs;
    QVERIFY2(took <= within, qPrintable(QStringLiteral("%1 ms, past %2").arg(took).arg(within)));
    QVERIFY(!QFile::exists(page));
    if (relay)
        QCOMPARE(relay->withheld(), 1);

    if (route == Route::Fake)
        return;
    const std::map<int, int> jobs = Jobs();
    const int job = NewestJob();
    const auto made = [&](const auto& entry) { return entry.first > before; };
    QCOMPARE(int(std::count_if(jobs.begin(), jobs.end(), made)), 1);
    QTRY_COMPARE_WITH_TIMEOUT(Jobs()[job], jobState, 10000);
    if (queue == Queue::Stopped && jobState == IPP_JSTATE_PENDING) {
        // Held, not lost: it prints when the queue goes on.
        QVERIFY(Admin("cupsenable", {queueName}));
        QTRY_COMPARE_WITH_TIMEOUT(Jobs()[job], int(IPP_JSTATE_COMPLETED), 10000);
    }
}

void HelperTest::noWatchdogNoPage_data()
{
    QTest::addColumn<bool>("outOfMemory");
    QTest::newRow("no thread to be had") << false;
    QTest::newRow("no memory for a thread") << true;
}

// A helper that cannot start its watchdog cannot promise its deadline: it
// prints nothing and says the page could not be prepared.
void HelperTest::noWatchdogNoPage()
{
    QFETCH(bool, outOfMemory);
    bool asked = false;
    const ThreadStarter noThread = [&](std::function<void()>) -> std::thread {
        asked = true;
        if (outOfMemory)
            throw std::bad_alloc();
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    };
    const PrintResult result = PrintBeforeDeadline(SomePage(), "Morvelt", Clock::now() + 1s,
                                                   noThread);
    QVERIFY(asked);
    QCOMPARE(result, PrintResult::PageNotPrepared);
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    HelperTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "helper_test.moc"
