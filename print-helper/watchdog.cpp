#include "print-helper/watchdog.h"

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <new>
#include <system_error>

namespace morvelt {

namespace {

using std::chrono::milliseconds;

// What the helper keeps of its time, at most, to learn a job's fate at the
// deadline, and what it keeps after that to exit.
constexpr milliseconds FateTime{2000};
constexpr milliseconds ExitTime{100};

[[noreturn]] void ExitWith(PrintResult result) { std::_Exit(static_cast<int>(result)); }

} // namespace

std::optional<PrintResult> HeldJob::Fate(PrintResult failure, Clock::time_point until)
{
    std::string printer;
    int id = 0;
    {
        const std::lock_guard lock(m_mutex);
        if (m_taken)
            return PrintResult::Printed;
        if (m_asked)
            return std::nullopt;
        m_asked = true;
        std::swap(id, m_id);
        printer = m_printer;
    }
    // No job, no page: a job is made before its document is sent.
    if (id <= 0)
        return failure;
    return JobFate(printer, id, failure, until);
}

std::thread StartThread(std::function<void()> run) { return std::thread(std::move(run)); }

PrintResult PrintBeforeDeadline(const PageFile& page, const char* title, Clock::time_point deadline,
                                const ThreadStarter& startThread)
{
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
    const Clock::time_point giveUp = deadline - std::clamp(left / 4, milliseconds(0), FateTime);
    const Clock::time_point last = deadline - std::min(left / 20, ExitTime);

    struct Watch {
        std::mutex mutex;
        std::condition_variable done;
        bool over = false;
    } watch;
    HeldJob job;
    const auto printingOver = [&watch](Clock::time_point until) {
        std::unique_lock lock(watch.mutex);
        return watch.done.wait_until(lock, until, [&] { return watch.over; });
    };
    std::thread watchdog;
    try {
        watchdog = startThread([&] {
            if (printingOver(giveUp))
                return;
            if (const std::optional<PrintResult> fate = job.Fate(PrintResult::NotAnswering, last))
                ExitWith(*fate);
            // The printing thread is asking the service already; what it has
            // not learnt by the end is not known.
            if (!printingOver(last))
                ExitWith(PrintResult::NotConfirmed);
        });
    } catch (const std::system_error&) {
        return PrintResult::PageNotPrepared;
    } catch (const std::bad_alloc&) {
        return PrintResult::PageNotPrepared;
    }

    const PrintResult printed = PrintPageFile(page, title, job, last);
    {
        const std::lock_guard lock(watch.mutex);
        watch.over = true;
    }
    watch.done.notify_all();
    watchdog.join();
    return printed;
}

} // namespace morvelt
