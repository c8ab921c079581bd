// Starts two Qt Widgets programs alternately with startup_probe preloaded,
// and prints, for each, the time from exec to its window's first frame and
// its peak memory up to then: median, spread, and the ratio of the first
// program's medians to the second's.
//
//   startup_bench RUNS WARMUP PROBE NAME=PROGRAM NAME=PROGRAM
//
// The platform is whatever the environment says (QT_QPA_PLATFORM, DISPLAY).

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int ProbeFd = 3;
constexpr int TimeoutMs = 30'000;

struct Sample {
    double paintMs;   // first Paint event delivered to the window
    double frameMs;   // that frame painted and flushed
    double peakMib;   // VmHWM of the program itself
    double maxrssMib; // ru_maxrss from wait4, as the kernel counts it
    double cpuMs;     // user and system time up to the frame, all threads
};

struct Program {
    std::string name;
    std::string path;
    std::vector<Sample> samples;
};

long long Now()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1'000'000'000LL + ts.tv_nsec;
}

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "startup_bench: %s\n", what.c_str());
    std::exit(1);
}

// One run: fork, stamp the time in the child just before exec, and read back
// the probe's line.
Sample RunOnce(const Program& program, const std::string& probe)
{
    // Everything the child needs is built before fork; in the child only the
    // time stamp's digits are written.
    std::vector<std::string> owned;
    std::string preload = "LD_PRELOAD=" + probe;
    for (char** e = environ; *e; ++e) {
        const std::string_view entry(*e);
        if (entry.starts_with("LD_PRELOAD="))
            preload.append(":").append(entry.substr(11));
        else if (!entry.starts_with("STARTUP_PROBE_"))
            owned.emplace_back(entry);
    }
    owned.push_back(preload);
    owned.push_back("STARTUP_PROBE_FD=" + std::to_string(ProbeFd));
    owned.push_back("STARTUP_PROBE_T0=" + std::string(20, '0'));
    std::vector<char*> envp;
    for (auto& entry : owned)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    char* stamp = owned.back().data() + std::strlen("STARTUP_PROBE_T0=");
    std::array<char*, 2> argv{const_cast<char*>(program.path.c_str()), nullptr};

    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        Fail("pipe failed");
    const int devnull = open("/dev/null", O_WRONLY | O_CLOEXEC);

    const pid_t pid = fork();
    if (pid < 0)
        Fail("fork failed");
    if (pid == 0) {
        dup2(devnull, STDOUT_FILENO);
        if (!std::getenv("STARTUP_BENCH_VERBOSE"))
            dup2(devnull, STDERR_FILENO);
        dup2(fds[1], ProbeFd);
        long long t = Now();
        for (int i = 19; i >= 0; --i, t /= 10)
            stamp[i] = static_cast<char>('0' + t % 10);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    close(fds[1]);
    close(devnull);

    std::string line;
    pollfd wait{fds[0], POLLIN, 0};
    const long long deadline = Now() + TimeoutMs * 1'000'000LL;
    for (;;) {
        const int left = static_cast<int>((deadline - Now()) / 1'000'000);
        if (left <= 0 || poll(&wait, 1, left) <= 0) {
            kill(pid, SIGKILL);
            break;
        }
        char buffer[256];
        const ssize_t size = read(fds[0], buffer, sizeof buffer);
        if (size < 0 && errno == EINTR)
            continue;
        if (size <= 0)
            break;
        line.append(buffer, static_cast<size_t>(size));
    }
    close(fds[0]);

    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);

    long long values[3] = {-1, -1, -1};
    const char* at = line.data();
    const char* end = line.data() + line.size();
    for (long long& value : values) {
        while (at < end && *at == ' ')
            ++at;
        at = std::from_chars(at, end, value).ptr;
    }
    if (values[2] < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        Fail(program.name + " (" + program.path
             + ") showed no frame; run with STARTUP_BENCH_VERBOSE=1 to see its messages");
    const double cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
                         + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    return {values[0] / 1e6, values[1] / 1e6, values[2] / 1024.0, usage.ru_maxrss / 1024.0, cpuMs};
}

struct Summary {
    double median, min, max, q1, q3;
};

double Quantile(const std::vector<double>& sorted, double q)
{
    const double at = q * static_cast<double>(sorted.size() - 1);
    const auto low = static_cast<size_t>(at);
    const size_t high = std::min(low + 1, sorted.size() - 1);
    return sorted[low] + (sorted[high] - sorted[low]) * (at - static_cast<double>(low));
}

Summary Summarise(const std::vector<Sample>& samples, double Sample::*field)
{
    std::vector<double> values;
    for (const Sample& sample : samples)
        values.push_back(sample.*field);
    std::sort(values.begin(), values.end());
    return {Quantile(values, 0.5), values.front(), values.back(), Quantile(values, 0.25),
            Quantile(values, 0.75)};
}

void PrintRow(const char* what, const char* unit, const std::vector<Program>& programs,
              double Sample::*field)
{
    std::vector<Summary> summaries;
    for (const Program& program : programs) {
        summaries.push_back(Summarise(program.samples, field));
        const Summary& s = summaries.back();
        std::printf("  %-22s %-15s median %8.2f %-3s  IQR %8.2f-%-8.2f  min-max %8.2f-%-8.2f\n",
                    what, program.name.c_str(), s.median, unit, s.q1, s.q3, s.min, s.max);
    }
    std::printf("  %-22s %-15s %.3f\n", what, "ratio", summaries[0].median / summaries[1].median);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s RUNS WARMUP PROBE NAME=PROGRAM NAME=PROGRAM\n", argv[0]);
        return 2;
    }
    int runs = 0;
    int warmup = 0;
    std::from_chars(argv[1], argv[1] + std::strlen(argv[1]), runs);
    std::from_chars(argv[2], argv[2] + std::strlen(argv[2]), warmup);
    if (runs < 1 || warmup < 0)
        Fail("RUNS must be at least 1 and WARMUP at least 0");
    const std::string probe = argv[3];
    if (access(probe.c_str(), R_OK) != 0)
        Fail("no probe at " + probe);
    std::vector<Program> programs;
    for (int i = 4; i < 6; ++i) {
        const std::string_view arg(argv[i]);
        const size_t equals = arg.find('=');
        if (equals == std::string_view::npos)
            Fail("expected NAME=PROGRAM, got " + std::string(arg));
        programs.push_back(
            {std::string(arg.substr(0, equals)), std::string(arg.substr(equals + 1)), {}});
        if (access(programs.back().path.c_str(), X_OK) != 0)
            Fail("no program at " + programs.back().path);
    }

    // Alternate, and swap which goes first every round, so that neither
    // always runs with the other's pages freshly cached.
    for (int round = 0; round < warmup + runs; ++round) {
        for (int k = 0; k < 2; ++k) {
            Program& program = programs[(round + k) % 2];
            const Sample sample = RunOnce(program, probe);
            if (round >= warmup)
                program.samples.push_back(sample);
        }
    }

    const char* platform = std::getenv("QT_QPA_PLATFORM");
    std::printf("platform %s, %d runs each after %d warm-up runs each, alternating\n",
                platform ? platform : "(default)", runs, warmup);
    PrintRow("first Paint event", "ms", programs, &Sample::paintMs);
    PrintRow("first frame done", "ms", programs, &Sample::frameMs);
    // Less sensitive than the elapsed times to whatever else the machine runs.
    PrintRow("CPU time to frame", "ms", programs, &Sample::cpuMs);
    PrintRow("peak RSS (VmHWM)", "MiB", programs, &Sample::peakMib);
    PrintRow("ru_maxrss (wait4)", "MiB", programs, &Sample::maxrssMib);
    return 0;
}
