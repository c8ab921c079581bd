#pragma once

// A print service on a socket of its own that misbehaves in one way. Its
// thread, where it has one, ends with it.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <atomic>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace morvelt::printtest {

// The socket address of path, or false when it is too long for one.
inline bool SocketAddress(const QString& path, sockaddr_un& address)
{
    const QByteArray name = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (name.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::copy(name.begin(), name.end(), address.sun_path);
    return true;
}

enum class Service {
    None,               // no socket at all: nothing to print with
    Silent,             // takes connections and never says a word, as a hung server
    FullQueue,          // so busy that no connection is taken
    Garbage,            // answers something that is not HTTP
    ClosesBeforeAnswer, // reads the request, then hangs up
    AsksPassword,       // HTTP 401, as a server that wants the user to log in
    Unavailable,        // HTTP 503, as an overloaded server or a proxy
    WebPage,            // HTTP 200 with a web page, as a web server on the port
};

class FakeService {
public:
    FakeService(const QString& path, Service behaviour)
        : m_path(QFile::encodeName(path))
        , m_behaviour(behaviour)
    {
        if (behaviour == Service::None)
            return;
        sockaddr_un address;
        m_socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (m_socket < 0 || !SocketAddress(path, address))
            return;
        const auto* where = reinterpret_cast<sockaddr*>(&address);
        if (::bind(m_socket, where, sizeof address) != 0
            || ::listen(m_socket, behaviour == Service::FullQueue ? 0 : 8) != 0)
            return;
        m_listening = true;
        if (behaviour == Service::FullQueue) {
            // One connection that is never taken fills the queue.
            m_filler = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
            ::connect(m_filler, where, sizeof address);
        } else if (behaviour != Service::Silent) {
            m_thread = std::thread([this] { Serve(); });
        }
    }
    ~FakeService()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        for (int fd : {m_filler, m_socket}) {
            if (fd >= 0)
                ::close(fd);
        }
        if (m_listening)
            ::unlink(m_path.constData());
    }
    FakeService(const FakeService&) = delete;
    FakeService& operator=(const FakeService&) = delete;

    bool ready() const { return m_behaviour == Service::None || m_listening; }

private:
    QByteArray Answer() const
    {
        static const QByteArray page = "<html><body>It works!</body></html>";
        switch (m_behaviour) {
        case Service::Garbage:
            return "SSH-2.0-garbage\r\n\r\n";
        case Service::AsksPassword:
            return "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"CUPS\"\r\n"
                   "Content-Length: 0\r\n\r\n";
        case Service::Unavailable:
            return "HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\n\r\n";
        case Service::WebPage:
            return "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: "
                   + QByteArray::number(page.size()) + "\r\n\r\n" + page;
        default:
            return {};
        }
    }

    // Each connection gets the service's one answer to the head of its
    // request, polled so that the thread sees the stop within a tenth of a
    // second.
    void Serve()
    {
        while (!m_stop) {
            pollfd listening{m_socket, POLLIN, 0};
            if (::poll(&listening, 1, 100) <= 0)
                continue;
            const int client = ::accept4(m_socket, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0)
                continue;
            // The request's head, or whatever comes within a second.
            QByteArray request;
            char buffer[4096];
            for (int waited = 0; waited < 10 && !request.contains("\r\n\r\n");) {
                pollfd in{client, POLLIN, 0};
                if (::poll(&in, 1, 100) <= 0) {
                    ++waited;
                    continue;
                }
                const ssize_t got = ::read(client, buffer, sizeof buffer);
                if (got <= 0)
                    break;
                request.append(buffer, got);
            }
            const QByteArray answer = Answer();
            [[maybe_unused]] auto written = ::write(client, answer.constData(), answer.size());
            // What the client still sends is read, so that it meets the
            // answer, not a reset connection.
            for (pollfd in{client, POLLIN, 0}; ::poll(&in, 1, 100) > 0;) {
                if (::read(client, buffer, sizeof buffer) <= 0)
                    break;
            }
            ::close(client);
        }
    }

    QByteArray m_path;
    Service m_behaviour;
    int m_socket = -1;
    int m_filler = -1;
    bool m_listening = false;
    std::atomic<bool> m_stop = false;
    std::thread m_thread;
};

} // namespace morvelt::printtest
