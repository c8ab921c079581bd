#include "print-helper/print_apart.h"

#include "page/print_status.h"

#include <cerrno>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace morvelt {

std::optional<int> PrintApart()
{
    // A launcher that ignored SIGCHLD passes that on, and the system would
    // then reap the child unseen: its word on the page would be lost.
    std::signal(SIGCHLD, SIG_DFL);
    const pid_t child = ::fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        // A session of its own: a terminal's Ctrl-C or hang-up, meant for
        // the window, does not reach the page.
        ::setsid();
        return std::nullopt;
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        // Lost sight of it: the child may have printed, so this process
        // never prints the page again, and says its fate is not known.
        if (errno != EINTR)
            return static_cast<int>(PrintResult::NotConfirmed);
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    // A crash stays a crash for the window to see.
    std::signal(WTERMSIG(status), SIG_DFL);
    std::raise(WTERMSIG(status));
    return 128 + WTERMSIG(status);
}

} // namespace morvelt
