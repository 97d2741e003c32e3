// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartupMilestones.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

const char* MilestonesFile()
{
    const char* file = std::getenv(kMilestonesVariable);
    return file && *file ? file : nullptr;
}

// Milliseconds since boot at which this process started, from /proc/self/stat
// (field 22, in clock ticks).
std::optional<double> ProcessStartMs()
{
    std::FILE* stat = std::fopen("/proc/self/stat", "re");
    if (!stat)
        return std::nullopt;
    char buffer[1024];
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, stat);
    std::fclose(stat);
    buffer[n] = '\0';
    // The command name may hold spaces and parentheses: fields start after the last ')'.
    const char* rest = std::strrchr(buffer, ')');
    if (!rest)
        return std::nullopt;
    // rest points at ") S ppid ..."; field 3 (state) is the first after it.
    unsigned long long startTicks = 0;
    int field = 2;
    for (const char* p = rest + 1; *p; ++p) {
        if (*p != ' ')
            continue;
        ++field;
        if (field == 22) {
            startTicks = std::strtoull(p + 1, nullptr, 10);
            break;
        }
    }
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    if (field != 22 || ticksPerSecond <= 0)
        return std::nullopt;
    return double(startTicks) * 1000.0 / double(ticksPerSecond);
}

double NowSinceBootMs()
{
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

class FirstPaintWatcher : public QObject {
public:
    explicit FirstPaintWatcher(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Recorded once the paint (and the flush it belongs to) is over.
            QTimer::singleShot(0, this, [this] {
                RecordMilestone("first-paint");
                deleteLater();
            });
        }
        return false;
    }
};

} // namespace

namespace {

void AppendLine(const char* name, double value)
{
    const char* file = MilestonesFile();
    if (!file)
        return;
    char line[128];
    const int length = std::snprintf(line, sizeof line, "%s %.1f\n", name, value);
    if (length <= 0 || size_t(length) >= sizeof line)
        return;
    const int fd = ::open(file, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    // One write with O_APPEND: a line is never interleaved with another's.
    [[maybe_unused]] const ssize_t written = ::write(fd, line, size_t(length));
    ::close(fd);
}

// A timer that should fire every millisecond: the longest gap between its ticks
// is the longest time the GUI thread did not get back to its event loop.
class StallWatch : public QObject {
public:
    StallWatch() : last_(std::chrono::steady_clock::now())
    {
        connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
        timer_.start(1);
    }
    double Longest()
    {
        Tick();
        return longest_;
    }

private:
    void Tick()
    {
        const auto now = std::chrono::steady_clock::now();
        longest_ = std::max(longest_, std::chrono::duration<double, std::milli>(now - last_).count());
        last_ = now;
    }
    QTimer timer_;
    std::chrono::steady_clock::time_point last_;
    double longest_ = 0;
};

std::unique_ptr<StallWatch>& CurrentStallWatch()
{
    static std::unique_ptr<StallWatch> watch;
    return watch;
}

} // namespace

void RecordMilestone(const char* name)
{
    if (!MilestonesFile())
        return;
    static const std::optional<double> start = ProcessStartMs();
    if (!start)
        return;
    AppendLine(name, NowSinceBootMs() - *start);
}

bool IsBenchTourRequested()
{
    const char* tour = std::getenv(kBenchTourVariable);
    return MilestonesFile() && tour && std::strcmp(tour, "1") == 0;
}

void StartStallWatch()
{
    if (MilestonesFile() && QCoreApplication::instance())
        CurrentStallWatch() = std::make_unique<StallWatch>();
}

void RecordLongestStall(const char* name)
{
    std::unique_ptr<StallWatch>& watch = CurrentStallWatch();
    if (!watch)
        return;
    AppendLine(name, watch->Longest());
    watch.reset();
}

void StopStallWatch()
{
    CurrentStallWatch().reset();
}

void RecordFirstPaintOf(QWidget& window)
{
    if (MilestonesFile())
        new FirstPaintWatcher(window);
}
