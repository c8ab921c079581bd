// Preloaded into a Qt Widgets program by startup_bench: notes when the first
// window gets its first Paint event and when that frame has been painted and
// handed to the platform, reports both with the program's peak memory to the
// benchmark, and ends the program at once so that no teardown is measured.
//
// Environment, set by startup_bench:
//   STARTUP_PROBE_T0  CLOCK_MONOTONIC nanoseconds taken just before exec
//   STARTUP_PROBE_FD  the descriptor to write the report line to
//
// It links neither Qt nor the C++ runtime and takes their symbols from the
// program, so it can only be preloaded into the Qt program itself, not into
// a wrapper such as strace or valgrind (give those LD_PRELOAD for the traced
// program only, e.g. strace -E LD_PRELOAD=...). It takes LD_PRELOAD out of
// the environment at once, so that nothing the program starts inherits it.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace {

long long g_start = 0;
int g_fd = -1;
long long g_paint = 0;

long long Now()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1'000'000'000LL + ts.tv_nsec;
}

long long ParseEnv(const char* name, long long fallback)
{
    const char* text = std::getenv(name);
    if (!text)
        return fallback;
    long long value = fallback;
    std::from_chars(text, text + std::strlen(text), value);
    return value;
}

// The peak resident size of this program's own address space, in KiB. Unlike
// ru_maxrss it does not start from the size of the process that forked it.
long long PeakResidentKib()
{
    char buffer[4096];
    const int fd = open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    const ssize_t size = read(fd, buffer, sizeof buffer - 1);
    close(fd);
    if (size <= 0)
        return -1;
    buffer[size] = '\0';
    const char* field = std::strstr(buffer, "VmHWM:");
    if (!field)
        return -1;
    field += 6;
    while (*field == ' ' || *field == '\t')
        ++field;
    long long value = -1;
    std::from_chars(field, buffer + size, value);
    return value;
}

void Append(char*& out, long long value) { out = std::to_chars(out, out + 24, value).ptr; }

[[noreturn]] void Report()
{
    const long long frame = Now();
    char line[128];
    char* out = line;
    Append(out, g_paint - g_start);
    *out++ = ' ';
    Append(out, frame - g_start);
    *out++ = ' ';
    Append(out, PeakResidentKib());
    *out++ = '\n';
    [[maybe_unused]] const ssize_t written = write(g_fd, line, out - line);
    _exit(0);
}

class FirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (g_paint == 0 && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->isWindow()) {
            g_paint = Now();
            // The window's Paint event comes first; its children are painted
            // and the frame flushed before the event loop runs this.
            QTimer::singleShot(0, this, [] { Report(); });
        }
        return false;
    }
};

void Install()
{
    QCoreApplication::instance()->installEventFilter(new FirstPaint(QCoreApplication::instance()));
}

// Runs when the program is loaded, before its main. Whatever the program
// starts must neither inherit the probe nor report to the benchmark.
__attribute__((constructor)) void Register()
{
    g_fd = static_cast<int>(ParseEnv("STARTUP_PROBE_FD", -1));
    g_start = ParseEnv("STARTUP_PROBE_T0", 0);
    unsetenv("LD_PRELOAD");
    unsetenv("STARTUP_PROBE_FD");
    unsetenv("STARTUP_PROBE_T0");
    if (g_fd < 0 || g_start == 0)
        return;
    fcntl(g_fd, F_SETFD, FD_CLOEXEC);
    // Called as soon as the program's QApplication exists, before its window.
    qAddPreRoutine(Install);
}

} // namespace
