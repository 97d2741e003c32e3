// SPDX-License-Identifier: GPL-3.0-or-later
// zemko-tovik-bench: start-up, memory and device-traffic figures of the program,
// each the median (and range) of several runs, beside the same measurement of a
// bare frameless Qt window of the main window's size (the floor) and beside its
// target. Prints a table; --json FILE writes the same figures as JSON.
#include "CtlFigures.h"
#include "DeviceTraffic.h"
#include "Figures.h"
#include "SkinLoads.h"
#include "StartupProbe.h"
#include "app/StartupMilestones.h"
#include "emulator/DeviceDirectory.h"
#include "emulator/EmulatedDeviceServer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

constexpr const char* kFloorOption = "--floor";
constexpr const char* kSkinLoadsOption = "--skin-loads";
constexpr int kStartupTimeoutMs = 60000;

struct Options {
    int runs = 7;
    QString jsonFile;
    int macros = 64;
    int macroEvents = 2000;
    int profiles = 5;
};

void PrintUsage()
{
    std::fputs("usage: zemko-tovik-bench [--runs N] [--json FILE] [--profiles N] [--macros N] [--macro-events N]\n"
               "  --runs N          samples per figure (default 7)\n"
               "  --json FILE       also write the figures as JSON\n"
               "  --profiles N      profiles of the large device image (default 5, at most 5)\n"
               "  --macros N        macros of the large device image (default 64)\n"
               "  --macro-events N  events of each of those macros (default 2000)\n",
               stderr);
}

bool ParseCount(const char* text, int low, int high, int& value)
{
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (!text[0] || *end || parsed < low || parsed > high)
        return false;
    value = int(parsed);
    return true;
}

std::optional<Options> ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc)
            return std::nullopt;
        const char* value = argv[++i];
        if (option == "--runs" && ParseCount(value, 1, 1000, options.runs))
            continue;
        if (option == "--profiles" && ParseCount(value, 1, 5, options.profiles))
            continue;
        if (option == "--macros" && ParseCount(value, 0, 1000, options.macros))
            continue;
        if (option == "--macro-events" && ParseCount(value, 1, 100000, options.macroEvents))
            continue;
        if (option == "--json" && *value) {
            options.jsonFile = QString::fromLocal8Bit(value);
            continue;
        }
        return std::nullopt;
    }
    return options;
}

// The floor: a frameless window of the main window's size and nothing else,
// reporting the same milestones as the program.
int RunFloorWindow(int argc, char** argv, const QSize& size)
{
    RecordMilestone("process");
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowFlags(Qt::FramelessWindowHint);
    window.setFixedSize(size);
    RecordFirstPaintOf(window);
    window.show();
    return application.exec();
}

QString ExecutableDirectory()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget().section(u'/', 0, -2);
}

// The main window's size in the default skin: that of its background picture.
std::optional<QSize> MainWindowSize()
{
    const QSize size = QImageReader(ExecutableDirectory() + QStringLiteral("/skins/main_bg.png")).size();
    return size.isValid() ? std::optional(size) : std::nullopt;
}

struct StartupSeries {
    std::vector<double> firstPaint, resident, peak, pagesResident, pagesPeak;
    std::map<std::string, std::vector<double>> milestones;
};

bool MeasureStartups(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                     const QString& milestonesFile, bool tour, int runs, StartupSeries& series, std::string& error)
{
    for (int run = 0; run < runs; ++run) {
        auto sample = MeasureStartup(program, arguments, environment, milestonesFile, tour, kStartupTimeoutMs, error);
        if (!sample)
            return false;
        series.firstPaint.push_back(sample->firstPaintMs);
        series.resident.push_back(sample->residentMiB);
        series.peak.push_back(sample->peakResidentMiB);
        if (tour) {
            series.pagesResident.push_back(sample->pagesResidentMiB);
            series.pagesPeak.push_back(sample->pagesPeakResidentMiB);
        }
        for (const auto& [name, ms] : sample->milestones)
            series.milestones[name].push_back(ms);
    }
    return true;
}

void AddStartupFigures(FigureTable& table, const std::string& section, const StartupSeries& program,
                       const StartupSeries& floor, bool withTargets)
{
    std::optional<Target> startTarget, memoryTarget;
    if (withTargets) {
        startTarget = Target{160, "<= 160 ms"};
        memoryTarget = Target{48, "<= 48 MiB"};
    }
    table.Add(section, "process start to first paint", "ms", program.firstPaint, floor.firstPaint, startTarget);
    for (const char* milestone : {"process", "skin-loaded", "device-read", "first-paint"}) {
        const auto found = program.milestones.find(milestone);
        const auto floorFound = floor.milestones.find(milestone);
        if (found == program.milestones.end()) {
            table.AddMissing(section, std::string("milestone ") + milestone, "not reported");
            continue;
        }
        table.Add(section, std::string("milestone ") + milestone, "ms", found->second,
                  floorFound == floor.milestones.end() ? std::vector<double>{} : floorFound->second);
    }
    for (const auto& [milestone, during] :
         {std::pair{"stall-first-read", "the first read"}, std::pair{"stall-apply", "an Apply"}}) {
        const std::string name = std::string("longest GUI stall during ") + during;
        if (const auto stall = program.milestones.find(milestone); stall != program.milestones.end())
            table.Add(section, name, "ms", stall->second, {}, Target{50, "<= 50 ms"});
        else
            table.AddMissing(section, name, "not reported");
    }
    table.Add(section, "VmRSS at first paint", "MiB", program.resident, floor.resident, memoryTarget);
    table.Add(section, "VmHWM at first paint", "MiB", program.peak, floor.peak);
    // The floor has no pages: its figures at first paint are the floor here too.
    table.Add(section, "VmRSS after every page", "MiB", program.pagesResident, floor.resident, memoryTarget);
    table.Add(section, "VmHWM after every page", "MiB", program.pagesPeak, floor.peak);
}

bool WriteFile(const QString& path, const std::string& text)
{
    std::ofstream file(path.toStdString(), std::ios::binary | std::ios::trunc);
    file << text;
    return bool(file.flush());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == kFloorOption) {
        const QSize size(std::atoi(argv[2]), std::atoi(argv[3]));
        if (!size.isValid() || size.width() > 10000 || size.height() > 10000)
            return 2;
        return RunFloorWindow(argc, argv, size);
    }
    if (argc == 2 && std::string(argv[1]) == kSkinLoadsOption)
        return RunSkinLoads(argc, argv);
    const auto options = ParseOptions(argc, argv);
    if (!options) {
        PrintUsage();
        return 2;
    }
    // Only the device part runs in this process; Qt is needed for the image size.
    QCoreApplication application(argc, argv);

    QTemporaryDir root;
    if (!root.isValid()) {
        std::fprintf(stderr, "zemko-tovik-bench: cannot create a temporary directory\n");
        return 1;
    }
    const QString runtime = root.filePath(QStringLiteral("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // The emulator's own default, whatever this shell has set.
    const QByteArray shellLatency = qgetenv("ZEMKO_TOVIK_EMU_LATENCY_MS");
    unsetenv("ZEMKO_TOVIK_EMU_LATENCY_MS");
    const int defaultLatencyMs = emulator::LatencyFromEnvironment();
    if (!shellLatency.isNull())
        qputenv("ZEMKO_TOVIK_EMU_LATENCY_MS", shellLatency);

    FigureTable table;
    int failures = 0;

    // Start-up and memory: the program and the floor, run by run side by side.
    const QString program = ExecutableDirectory() + QStringLiteral("/zemko-tovik");
    const QString milestones = root.filePath(QStringLiteral("milestones.txt"));
    const std::string deviceDir = root.filePath(QStringLiteral("startup-devices")).toStdString();
    std::string error;
    if (!emulator::DeviceDirectory(deviceDir).EnsureInitialised(error)) {
        std::fprintf(stderr, "zemko-tovik-bench: %s\n", error.c_str());
        return 1;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZEMKO_TOVIK_DEVICE_DIR"), QString::fromStdString(deviceDir));
    environment.insert(QStringLiteral("ZEMKO_TOVIK_REGISTRY"), root.filePath(QStringLiteral("registry.ini")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.insert(QString::fromLatin1(kMilestonesVariable), milestones);
    environment.remove(QStringLiteral("ZEMKO_TOVIK_SCREENSHOT"));

    const auto size = MainWindowSize();
    StartupSeries floor;
    if (!size) {
        table.AddMissing("start-up", "floor", "the main window's background picture cannot be read");
        ++failures;
    } else if (!MeasureStartups(
                   ExecutableDirectory() + QStringLiteral("/zemko-tovik-bench"),
                   {QString::fromLatin1(kFloorOption), QString::number(size->width()), QString::number(size->height())},
                   environment, milestones, false, options->runs, floor, error)) {
        table.AddMissing("start-up", "floor", error);
        ++failures;
    }

    for (const int latency : {0, defaultLatencyMs}) {
        QProcessEnvironment withLatency = environment;
        withLatency.insert(QStringLiteral("ZEMKO_TOVIK_EMU_LATENCY_MS"), QString::number(latency));
        // After its first paint the program shows every page and applies one change.
        withLatency.insert(QString::fromLatin1(kBenchTourVariable), QStringLiteral("1"));
        const std::string section = "start-up, latency " + std::to_string(latency) + " ms";
        StartupSeries series;
        if (!MeasureStartups(program, {}, withLatency, milestones, true, options->runs, series, error)) {
            table.AddMissing(section, "program", error);
            ++failures;
            continue;
        }
        AddStartupFigures(table, section, series, floor, latency == 0);
    }

    // The program starts its tray companion, which stays by design; the bench
    // leaves nothing of its own running behind it.
    EndProcessesOfRuntime(runtime);

    if (!MeasureSkinLoads(ExecutableDirectory() + QStringLiteral("/zemko-tovik-bench"),
                          QString::fromLatin1(kSkinLoadsOption), environment, options->runs, table, error)) {
        table.AddMissing("skin", "window files", error);
        ++failures;
    }

    // Device traffic, in this process.
    TrafficOptions traffic;
    traffic.directory = root.filePath(QStringLiteral("traffic")).toStdString();
    traffic.runs = options->runs;
    traffic.defaultLatencyMs = defaultLatencyMs;
    traffic.profiles = options->profiles;
    traffic.macros = options->macros;
    traffic.macroEvents = options->macroEvents;
    if (!MeasureDeviceTraffic(traffic, table, error)) {
        table.AddMissing("device", "traffic", error);
        ++failures;
    } else if (!MeasureCtl(traffic.directory / "small", traffic.directory / "large", options->runs, table, error)) {
        table.AddMissing("ctl", "zemko-tovik-ctl", error);
        ++failures;
    }

    std::fputs(table.Text().c_str(), stdout);
    if (!options->jsonFile.isEmpty() && !WriteFile(options->jsonFile, table.Json(options->runs))) {
        std::fprintf(stderr, "zemko-tovik-bench: cannot write %s\n", options->jsonFile.toLocal8Bit().constData());
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
