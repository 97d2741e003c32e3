// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Starts a program that reports start-up milestones (ZEMKO_TOVIK_MILESTONES),
// waits for its first paint (and, with the tour, for its end), samples its memory
// on the way and ends it.
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <string>

struct StartupSample {
    // From just before the start to the "first-paint" line, as the bench sees it.
    double firstPaintMs = 0;
    // As the program reported them (milliseconds since its process started).
    std::map<std::string, double> milestones;
    // At first paint, MiB.
    double residentMiB = 0;
    double peakResidentMiB = 0;
    // With the tour: once every page has been shown ("pages-visited"), MiB.
    double pagesResidentMiB = 0;
    double pagesPeakResidentMiB = 0;
};

// Nothing (and `error` says why) when the program cannot start, ends before it
// paints, or has not painted after `timeoutMs`. With `tour` (the program runs
// the bench tour) it is also waited for "pages-visited", when the memory is read
// again, and for the end of the tour's Apply ("stall-apply"), within the same
// time. The program is always ended.
std::optional<StartupSample> MeasureStartup(const QString& program, const QStringList& arguments,
                                            const QProcessEnvironment& environment, const QString& milestonesFile,
                                            bool tour, int timeoutMs, std::string& error);

// VmRSS and VmHWM of a process in MiB; nothing when it cannot be read.
std::optional<std::pair<double, double>> ResidentMemoryMiB(long long pid);

// Milestone lines "NAME MILLISECONDS"; lines that are not of that shape are skipped.
std::map<std::string, double> ParseMilestones(const std::string& text);

// Ends (SIGTERM) every process of this user whose environment names `runtimeDir`
// as its XDG_RUNTIME_DIR: the programs the bench started, and what they started
// in turn (the tray companion outlives the main window by design). Returns how many.
int EndProcessesOfRuntime(const QString& runtimeDir);
