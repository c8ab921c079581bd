#pragma once

// A relay between the print helper and the private scheduler, on a socket of
// its own, that passes every request through whole but keeps back the
// scheduler's answer to the page, then hangs up, as a scheduler that dies
// before its answer does. The scheduler has the whole job by then, and
// prints it unless its queue is stopped. Told to fall silent, the relay then
// takes every new connection and answers nothing, as a service that hangs.
// Its thread ends with it.

#include "tests/print/fake_service.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace morvelt::printtest {

class WithholdingRelay {
public:
    enum class After { Relaying, Silent };

    WithholdingRelay(const QString& path, const QString& scheduler, std::chrono::milliseconds hold,
                     After after)
        : m_path(path)
        , m_hold(hold)
        , m_after(after)
    {
        sockaddr_un address;
        m_listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        m_ready = m_listener >= 0 && SocketAddress(path, address)
                  && SocketAddress(scheduler, m_scheduler)
                  && ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
                  && ::listen(m_listener, 64) == 0;
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
    // How many answers to a page were kept back.
    int withheld() const { return m_withheld; }

private:
    using Clock = std::chrono::steady_clock;

    // Requests without a document are a few hundred bytes; past this much,
    // a connection is carrying the page.
    static constexpr qsizetype DocumentBytes = 8192;

    struct Link {
        int client;
        int server;                   // -1 for a connection taken while silent
        qsizetype sent = 0;           // client to scheduler
        Clock::time_point answered{}; // when the answer to the page came
    };

    void Serve()
    {
        std::vector<Link> links;
        while (!m_stop) {
            std::vector<pollfd> fds{{m_listener, POLLIN, 0}};
            for (const Link& link : links) {
                fds.push_back({link.client, POLLIN, 0});
                fds.push_back({link.server, short(link.server >= 0 ? POLLIN : 0), 0});
            }
            ::poll(fds.data(), fds.size(), 20);
            const size_t polled = links.size();
            if (fds[0].revents & POLLIN)
                Accept(links);
            for (size_t i = 0; i < polled; ++i) {
                Link& link = links[i];
                if (!Pump(link, fds[1 + 2 * i].revents, fds[2 + 2 * i].revents)) {
                    Close(link);
                    link.client = -1;
                }
            }
            std::erase_if(links, [](const Link& link) { return link.client < 0; });
        }
        for (Link& link : links)
            Close(link);
    }

    static void Close(Link& link)
    {
        ::close(link.client);
        if (link.server >= 0)
            ::close(link.server);
    }

    void Accept(std::vector<Link>& links)
    {
        const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            return;
        if (m_silent) {
            links.push_back({client, -1});
            return;
        }
        const int server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (server < 0
            || ::connect(server, reinterpret_cast<sockaddr*>(&m_scheduler), sizeof m_scheduler)
                   != 0) {
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
        if (fromClient & (POLLIN | POLLHUP)) {
            const ssize_t got = ::read(link.client, buffer, sizeof buffer);
            if (got <= 0)
                return false;
            if (link.server >= 0) {
                if (::write(link.server, buffer, got) != got)
                    return false;
                link.sent += got;
            }
        }
        if (link.server < 0)
            return true; // silent: taken, never answered
        const bool withholding = link.sent >= DocumentBytes;
        if (fromServer & (POLLIN | POLLHUP)) {
            const ssize_t got = ::read(link.server, buffer, sizeof buffer);
            if (got <= 0)
                return false;
            if (!withholding)
                return ::write(link.client, buffer, got) == got;
            if (link.answered == Clock::time_point{})
                link.answered = Clock::now();
        }
        if (link.answered != Clock::time_point{} && Clock::now() - link.answered >= m_hold) {
            ++m_withheld;
            m_silent = m_after == After::Silent;
            return false; // hang up without the answer
        }
        return true;
    }

    QString m_path;
    std::chrono::milliseconds m_hold;
    After m_after;
    sockaddr_un m_scheduler{};
    int m_listener = -1;
    bool m_ready = false;
    bool m_silent = false; // the relay's own thread alone
    std::atomic<bool> m_stop = false;
    std::atomic<int> m_withheld = 0;
    std::thread m_thread;
};

} // namespace morvelt::printtest
