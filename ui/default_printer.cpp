#include "ui/default_printer.h"

#include "ui/identity.h"
#include "ui/print_page.h"

#include <QDir>
#include <QLocale>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryFile>
#include <QWidget>

namespace morvelt {

namespace {

// Long enough for a scheduler to take a one-page file, short enough that a
// print service that hangs does not hold the window.
constexpr int ClientTimeoutMs = 30'000;

struct ClientRun {
    bool succeeded = false;
    QString output;
};

// Runs one of the print service's client programs. Missing programs (no
// print service installed) fail like a refusal. Their messages are read in
// English, whatever the user's language.
ClientRun RunClient(const QString& program, const QStringList& arguments)
{
    QProcess client;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    client.setProcessEnvironment(environment);
    client.start(program, arguments);
    if (!client.waitForFinished(ClientTimeoutMs)) {
        client.kill();
        client.waitForFinished();
        return {};
    }
    return {client.exitStatus() == QProcess::NormalExit && client.exitCode() == 0,
            QString::fromLocal8Bit(client.readAllStandardOutput())};
}

bool HasDefaultPrinter()
{
    const ClientRun lpstat = RunClient(QStringLiteral("lpstat"), {QStringLiteral("-d")});
    return lpstat.succeeded
        && lpstat.output.startsWith(QLatin1String("system default destination:"));
}

} // namespace

PrintResult PrintOnDefaultPrinter(QWidget& window)
{
    if (!HasDefaultPrinter())
        return PrintResult::NoDefaultPrinter;

    QTemporaryFile page(QDir::tempPath() + QStringLiteral("/morvelt-XXXXXX.pdf"));
    if (!page.open())
        return PrintResult::Refused;
    {
        QPdfWriter writer(&page);
        writer.setTitle(QString::fromLatin1(ApplicationTitle));
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem
                                         ? QPageSize::Letter
                                         : QPageSize::A4));
        if (!RenderPage(window, writer))
            return PrintResult::Refused;
    }
    page.flush();

    // lp hands the whole file to the scheduler before it returns, so the
    // temporary file may go once it has answered.
    const ClientRun lp = RunClient(
        QStringLiteral("lp"), {QStringLiteral("-s"), QStringLiteral("-t"),
                               QString::fromLatin1(ApplicationTitle), QStringLiteral("--"),
                               page.fileName()});
    return lp.succeeded ? PrintResult::Printed : PrintResult::Refused;
}

} // namespace morvelt
