// STAMPA when the scheduler goes away with the page nearly in hand: a relay
// between the print helper and the private scheduler passes the requests
// through but keeps back the end of the document, then hangs up, as a
// scheduler that dies before its answer does. The scheduler has made the
// job by then. The teacher must be told, not left to believe the page
// printed, and the job must not stay behind to print later.

#include "tests/print/print_session.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <atomic>
#include <thread>
#include <vector>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace morvelt::printtest;

namespace {

// Requests without a document are a few hundred bytes; past this much, a
// connection is carrying the page.
constexpr qsizetype DocumentBytes = 8192;

bool SocketAddress(const QString& path, sockaddr_un& address)
{
    const QByteArray name = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (name.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::copy(name.begin(), name.end(), address.sun_path);
    return true;
}

// Listens on a socket of its own and relays each connection to the
// scheduler. A connection that has carried DocumentBytes forwards no more;
// once its client has been quiet for half a second (the whole page sent),
// both ends are closed. Its thread ends with it.
class WithholdingRelay {
public:
    WithholdingRelay(const QString& path, const QString& scheduler)
        : m_path(path)
    {
        sockaddr_un address;
        m_listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        m_ready = m_listener >= 0 && SocketAddress(path, address)
                  && SocketAddress(scheduler, m_scheduler)
                  && ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
                  && ::listen(m_listener, 8) == 0;
        if (m_ready)
            m_thread = std::thread([this] { Serve(); });
    }
    ~WithholdingRelay()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_listener >= 0)
            ::close(m_listener);
        QFile::remove(m_path);
    }
    WithholdingRelay(const WithholdingRelay&) = delete;
    WithholdingRelay& operator=(const WithholdingRelay&) = delete;

    bool ready() const { return m_ready; }
    int withheld() const { return m_withheld; }

private:
    struct Link {
        int client;
        int server;
        qsizetype sent = 0;  // client to scheduler
        int quietPolls = 0;  // since the client last sent, once withholding
    };

    void Serve()
    {
        std::vector<Link> links;
        while (!m_stop) {
            std::vector<pollfd> fds{{m_listener, POLLIN, 0}};
            for (const Link& link : links) {
                fds.push_back({link.client, POLLIN, 0});
                fds.push_back({link.server, POLLIN, 0});
            }
            ::poll(fds.data(), fds.size(), 100);
            if (fds[0].revents & POLLIN)
                Accept(links);
            for (size_t i = 0; i < links.size(); ++i) {
                Link& link = links[i];
                const bool open = Pump(link, fds[1 + 2 * i].revents, fds[2 + 2 * i].revents);
                if (!open) {
                    ::close(link.client);
                    ::close(link.server);
                    link.client = -1;
                }
            }
            std::erase_if(links, [](const Link& link) { return link.client < 0; });
        }
        for (const Link& link : links) {
            ::close(link.client);
            ::close(link.server);
        }
    }

    void Accept(std::vector<Link>& links)
    {
        const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            return;
        const int server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (server < 0
            || ::connect(server, reinterpret_cast<sockaddr*>(&m_scheduler), sizeof m_scheduler) != 0) {
            ::close(client);
            if (server >= 0)
                ::close(server);
            return;
        }
        links.push_back({client, server});
    }

    // Returns false when the link is to be closed.
    bool Pump(Link& link, short fromClient, short fromServer)
    {
        char buffer[16384];
        const bool withholding = link.sent >= DocumentBytes;
        if (fromClient & (POLLIN | POLLHUP)) {
            const ssize_t got = ::read(link.client, buffer, sizeof buffer);
            if (got <= 0)
                return false;
            link.quietPolls = 0;
            if (!withholding) {
                if (::write(link.server, buffer, got) != got)
                    return false;
                link.sent += got;
            }
        } else if (withholding && ++link.quietPolls >= 5) {
            ++m_withheld;
            return false; // the whole page is here: hang up without an answer
        }
        if (fromServer & (POLLIN | POLLHUP)) {
            const ssize_t got = ::read(link.server, buffer, sizeof buffer);
            if (got <= 0)
                return false;
            if (!withholding && ::write(link.client, buffer, got) != got)
                return false;
        }
        return true;
    }

    QString m_path;
    sockaddr_un m_scheduler{};
    int m_listener = -1;
    bool m_ready = false;
    std::atomic<bool> m_stop = false;
    std::atomic<int> m_withheld = 0;
    std::thread m_thread;
};

QString NotCompletedJobs()
{
    const ToolResult jobs = Run(QStringLiteral("lpstat"),
                                {"-W", "not-completed", "-o", Setting("MORVELT_CUPS_QUEUE")});
    return jobs.ok ? jobs.output.trimmed() : jobs.output;
}

void NothingToPrepare() {}

} // namespace

class WithheldAnswerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void withheldAnswerIsToldAndTheJobCancelled()
    {
        if (const QString why = WhyNoScheduler(); !why.isEmpty())
            QSKIP(qPrintable(why));

        ScriptedPrompter prompter{"4", "5", "3"};
        auto window = GradedWindow(prompter, "3", "Maria Rossi", "3B");
        QVERIFY(window);
        const QStringList before = Shown(*window);
        QCOMPARE(NotCompletedJobs(), QString());
        QFile::remove(Setting("MORVELT_CUPS_PRINTOUT"));

        QTemporaryDir dir;
        const QString scheduler = Setting("CUPS_SERVER");
        const WithholdingRelay relay(dir.filePath(QStringLiteral("relay.sock")), scheduler);
        QVERIFY(relay.ready());
        qputenv("CUPS_SERVER", QFile::encodeName(dir.filePath(QStringLiteral("relay.sock"))));
        QVERIFY(ClickControl(*window, "Command3"));
        QTRY_COMPARE_WITH_TIMEOUT(
            prompter.messages(),
            QStringList{"Impossibile stampare: il servizio di stampa ha interrotto la stampa."},
            20000);
        qputenv("CUPS_SERVER", QFile::encodeName(scheduler));
        QCOMPARE(relay.withheld(), 1);
        QCOMPARE(Shown(*window), before);

        // The job the scheduler made for the page is cancelled, not left to
        // print when its document is given up on.
        QTRY_COMPARE_WITH_TIMEOUT(NotCompletedJobs(), QString(), 5000);
        QTest::qWait(1000);
        QCOMPARE(QFileInfo::exists(Setting("MORVELT_CUPS_PRINTOUT")), false);
    }
};

MORVELT_PRINT_TEST_MAIN(WithheldAnswerTest, NothingToPrepare)

#include "withheld_answer_test.moc"
