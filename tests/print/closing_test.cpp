// Esci, or closing the window, while pages are on their way: the window goes
// within its closing time and tells nothing, but a page that STAMPA handed
// over is not thrown away with it. Each helper takes its page file as it starts and
// sees its page through by its own deadline: here the scheduler's answer is
// kept back and the queue is stopped, so each job ends cancelled. No page
// file stays behind, no helper outlives its deadline, no job is left
// waiting.

#include "tests/print/withholding_relay.h"
#include "tests/support/print_session.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

using namespace morvelt::printtest;
using namespace std::chrono_literals;

namespace {

// The helpers' time in this test: enough for the held answer and the
// cancellation.
constexpr std::chrono::milliseconds PrintTime{5000};

bool Admin(const char* program, const QStringList& arguments)
{
    return Run(QString::fromLatin1(program), arguments).ok;
}

QString NotCompletedJobs()
{
    const ToolResult jobs = Run(QStringLiteral("lpstat"),
                                {"-W", "not-completed", "-o", Setting("MORVELT_CUPS_QUEUE")});
    return jobs.ok ? jobs.output.trimmed() : jobs.output;
}

QStringList PageFiles(const QString& dir)
{
    return QDir(dir).entryList({QStringLiteral("morvelt-*")}, QDir::Files);
}

// The print helpers still running that were handed a page in folder: the
// processes the window started and their printing children, which outlive
// the window.
QStringList Helpers(const QString& folder)
{
    QStringList helpers;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat("/proc/" + pid + "/stat");
        QFile commandLine("/proc/" + pid + "/cmdline");
        if (!stat.open(QIODevice::ReadOnly) || !commandLine.open(QIODevice::ReadOnly))
            continue;
        // pid (name) state ...; a zombie has ended.
        const QStringList fields = QString::fromLatin1(stat.readAll()).split(' ');
        if (fields.size() > 2 && fields[1] == "(morvelt-print)" && fields[2] != "Z"
            && commandLine.readAll().contains(QFile::encodeName(folder)))
            helpers << pid;
    }
    return helpers;
}

void NothingToPrepare() {}

} // namespace

class ClosingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        if (WhyNoScheduler().isEmpty()) {
            Admin("cupsenable", {Setting("MORVELT_CUPS_QUEUE")});
            Admin("cancel", {"-a", Setting("MORVELT_CUPS_QUEUE")});
        }
    }

    void closingLeavesPagesToTheirHelpers_data()
    {
        QTest::addColumn<int>("presses");
        QTest::newRow("one page") << 1;
        QTest::newRow("20 pages") << 20;
    }

    void closingLeavesPagesToTheirHelpers()
    {
        QFETCH(int, presses);
        MORVELT_NEED_SCHEDULER(WhyNoScheduler());

        ScriptedPrompter prompter{"4", "5", "3"};
        auto window = GradedWindow(prompter, "3", "Maria Rossi", "3B");
        QVERIFY(window);
        window->SetPrintTime(PrintTime);
        QCOMPARE(NotCompletedJobs(), QString());
        QVERIFY(Admin("cupsdisable", {Setting("MORVELT_CUPS_QUEUE")}));

        QTemporaryDir dir;
        const QString scheduler = Setting("CUPS_SERVER");
        const WithholdingRelay relay(dir.filePath(QStringLiteral("relay.sock")), scheduler, 1000ms,
                                     WithholdingRelay::After::Relaying);
        QVERIFY(relay.ready());
        QTemporaryDir temp;
        {
            const EnvironmentSetting server("CUPS_SERVER",
                                            dir.filePath(QStringLiteral("relay.sock")));
            const EnvironmentSetting pageFolder("TMPDIR", temp.path());
            for (int i = 0; i < presses; ++i)
                QVERIFY(ClickControl(*window, "Command3"));
        }
        QVERIFY2(QTest::qWaitFor([&] { return PageFiles(temp.path()).isEmpty(); }, 20000),
                 "the helpers did not all take their pages within 20 s");
        // Pages on their way as the window closes; on a busy machine a helper
        // may have been told already, and the window said so.
        QVERIFY(!Helpers(temp.path()).isEmpty());
        const QStringList toldBefore = Messages(prompter);

        QElapsedTimer clock;
        clock.start();
        window.reset();
        QVERIFY2(clock.elapsed() < morvelt::PrintHandOver::ClosingTime.count(),
                 qPrintable(QString::number(clock.elapsed()) + " ms"));
        // Each helper ends by its deadline from its own start, before the
        // window closed.
        QVERIFY2(QTest::qWaitFor([&] { return Helpers(temp.path()).isEmpty(); },
                                 int((PrintTime + morvelt::LateHelper).count())),
                 qPrintable("helpers still running past their deadline: "
                            + Helpers(temp.path()).join(' ')));
        QCOMPARE(PageFiles(temp.path()), QStringList());
        QCOMPARE(Messages(prompter), toldBefore);
        QCOMPARE(relay.withheld(), presses);
        QCOMPARE(NotCompletedJobs(), QString());
    }
};

MORVELT_UI_TEST_MAIN_PREPARED(ClosingTest, NothingToPrepare)

#include "closing_test.moc"
