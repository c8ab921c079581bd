#include "print-helper/print_apart.h"

#include <cerrno>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace morvelt {

std::optional<int> PrintApart()
{
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
        if (errno != EINTR)
            return std::nullopt; // lost sight of it: say nothing it did not say
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    // A crash stays a crash for the window to see.
    std::signal(WTERMSIG(status), SIG_DFL);
    std::raise(WTERMSIG(status));
    return 128 + WTERMSIG(status);
}

} // namespace morvelt
