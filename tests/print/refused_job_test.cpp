// STAMPA when the default queue does not take jobs, as when an administrator
// has stopped it: the teacher learns that the page was not printed, and the
// window stays exactly as it was.

#include "tests/support/print_session.h"

using namespace morvelt::printtest;

namespace {

bool SetQueueAccepting(bool accepting)
{
    QProcess admin;
    admin.start(accepting ? QStringLiteral("cupsaccept") : QStringLiteral("cupsreject"),
                {Setting("MORVELT_CUPS_QUEUE")});
    return admin.waitForFinished(30'000) && admin.exitStatus() == QProcess::NormalExit
           && admin.exitCode() == 0;
}

void NothingToPrepare() {}

} // namespace

class RefusedJobTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        if (WhyNoScheduler().isEmpty())
            QVERIFY(SetQueueAccepting(true));
    }

    void refusedJobIsToldOnce()
    {
        MORVELT_NEED_SCHEDULER(WhyNoScheduler());

        ScriptedPrompter prompter{"4", "5", "3"};
        auto window = GradedWindow(prompter, "3", "Maria Rossi", "3B");
        QVERIFY(window);
        const QStringList before = Shown(*window);
        const QStringList asked = Asked(prompter);

        QVERIFY(SetQueueAccepting(false));
        QVERIFY(ClickControl(*window, "Command3"));

        QTRY_COMPARE_WITH_TIMEOUT(
            Messages(prompter),
            QStringList{"Impossibile stampare: la stampante non ha accettato la pagina."}, 20000);
        QCOMPARE(Asked(prompter), asked);
        QCOMPARE(Shown(*window), before);
    }
};

MORVELT_UI_TEST_MAIN_PREPARED(RefusedJobTest, NothingToPrepare)

#include "refused_job_test.moc"
