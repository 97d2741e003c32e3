// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartupProbe.h"

#include <QFile>
#include <QProcess>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <tuple>
#include <unistd.h>

std::map<std::string, double> ParseMilestones(const std::string& text)
{
    std::map<std::string, double> milestones;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string name;
        double ms = 0;
        std::string extra;
        if (fields >> name >> ms && !(fields >> extra) && ms >= 0)
            milestones.emplace(name, ms); // the first report of a name counts
    }
    return milestones;
}

std::optional<std::pair<double, double>> ResidentMemoryMiB(long long pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::optional<double> resident;
    std::optional<double> peak;
    std::string key;
    while (status >> key) {
        double kib = 0;
        if (key == "VmRSS:" && status >> kib)
            resident = kib / 1024.0;
        else if (key == "VmHWM:" && status >> kib)
            peak = kib / 1024.0;
        status.ignore(1 << 16, '\n');
    }
    if (!resident || !peak)
        return std::nullopt;
    return std::make_pair(*resident, *peak);
}

std::optional<StartupSample> MeasureStartup(const QString& program, const QStringList& arguments,
                                            const QProcessEnvironment& environment, const QString& milestonesFile,
                                            bool tour, int timeoutMs, std::string& error)
{
    QFile::remove(milestonesFile);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    process.setStandardInputFile(QProcess::nullDevice());

    const auto started = std::chrono::steady_clock::now();
    process.start(program, arguments);
    if (!process.waitForStarted(10000)) {
        error = "cannot start " + program.toStdString() + ": " + process.errorString().toStdString();
        return std::nullopt;
    }
    const auto end = [&process] {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(5000)) {
                process.kill();
                process.waitForFinished(5000);
            }
        }
    };

    StartupSample sample;
    bool painted = false;
    bool visited = false;
    bool failed = true;
    const std::string name = program.toStdString();
    for (;;) {
        std::ifstream file(milestonesFile.toStdString());
        std::stringstream text;
        text << file.rdbuf();
        auto milestones = ParseMilestones(text.str());
        const auto now = std::chrono::steady_clock::now();
        // Each memory figure is read as soon as its milestone shows, while the
        // program is still in the state the milestone names.
        if (!painted && milestones.contains("first-paint")) {
            painted = true;
            sample.firstPaintMs = std::chrono::duration<double, std::milli>(now - started).count();
            if (auto memory = ResidentMemoryMiB(process.processId()))
                std::tie(sample.residentMiB, sample.peakResidentMiB) = *memory;
        }
        if (painted && tour && !visited && milestones.contains("pages-visited")) {
            visited = true;
            if (auto memory = ResidentMemoryMiB(process.processId()))
                std::tie(sample.pagesResidentMiB, sample.pagesPeakResidentMiB) = *memory;
        }
        if (milestones.contains("apply-failed")) {
            error = name + " could not write the tour's change to the device";
            break;
        }
        if (painted && (!tour || (visited && milestones.contains("stall-apply")))) {
            sample.milestones = std::move(milestones);
            failed = false;
            break;
        }
        const char* awaited = !painted ? "paint" : !visited ? "show every page" : "finish the tour's Apply";
        if (process.state() == QProcess::NotRunning || process.waitForFinished(0)) {
            error =
                name + " ended before it could " + awaited + " (exit code " + std::to_string(process.exitCode()) + ")";
            break;
        }
        if (now - started > std::chrono::milliseconds(timeoutMs)) {
            error = name + " did not " + awaited + " within " + std::to_string(timeoutMs) + " ms";
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    end();
    if (failed)
        return std::nullopt;
    if (sample.residentMiB <= 0 || (tour && sample.pagesResidentMiB <= 0)) {
        error = "cannot read the memory of " + name;
        return std::nullopt;
    }
    return sample;
}

int EndProcessesOfRuntime(const QString& runtimeDir)
{
    const std::string wanted = "XDG_RUNTIME_DIR=" + runtimeDir.toStdString();
    int ended = 0;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ignored)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const pid_t pid = static_cast<pid_t>(std::stol(name));
        struct stat info {};
        if (pid == getpid() || stat(entry.path().c_str(), &info) != 0 || info.st_uid != getuid())
            continue;
        std::ifstream environ(entry.path() / "environ", std::ios::binary);
        std::string variable;
        while (std::getline(environ, variable, '\0')) {
            if (variable == wanted) {
                if (kill(pid, SIGTERM) == 0)
                    ++ended;
                break;
            }
        }
    }
    return ended;
}
