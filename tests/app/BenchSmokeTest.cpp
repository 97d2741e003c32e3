// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmark runs end to end on a tiny configuration and reports every figure
// it promises, each well formed. Only the shape of the figures is checked: how
// fast anything is never fails a test.
#ifdef ZT_BENCH
#include "support/TempDir.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

struct BenchFigures {
    std::map<std::string, QJsonObject> byName; // "section / name"
    QJsonArray missing;
};

BenchFigures RunBench(const std::filesystem::path& jsonFile, std::string& output)
{
    QProcess bench;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    bench.setProcessEnvironment(environment);
    bench.setProcessChannelMode(QProcess::MergedChannels);
    bench.start(QStringLiteral(ZT_BENCH), {"--runs", "1", "--profiles", "2", "--macros", "3", "--macro-events", "20",
                                           "--json", QString::fromStdString(jsonFile.string())});
    // Within the test's own time limit (120 s, scaled like it): a bench that
    // hangs fails here with what it printed, instead of the test being killed
    // from outside without a word.
    const bool finished = bench.waitForFinished(100000 * TestTimeScale());
    EXPECT_TRUE(finished);
    if (!finished) {
        bench.kill();
        bench.waitForFinished(10000);
    }
    output = bench.readAll().toStdString();
    EXPECT_EQ(bench.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(bench.exitCode(), 0) << output;

    BenchFigures figures;
    QFile file(QString::fromStdString(jsonFile.string()));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "no JSON written";
        return figures;
    }
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    EXPECT_EQ(root.value("runs").toInt(), 1);
    for (const QJsonValue figure : root.value("figures").toArray()) {
        const QJsonObject object = figure.toObject();
        figures.byName[(object.value("section").toString() + " / " + object.value("name").toString()).toStdString()] =
            object;
    }
    figures.missing = root.value("missing").toArray();
    return figures;
}

void ExpectWellFormed(const QJsonObject& stats, bool positive)
{
    const double median = stats.value("median").toDouble(NAN);
    const double min = stats.value("min").toDouble(NAN);
    const double max = stats.value("max").toDouble(NAN);
    ASSERT_TRUE(std::isfinite(median) && std::isfinite(min) && std::isfinite(max));
    EXPECT_LE(min, median);
    EXPECT_LE(median, max);
    EXPECT_GE(min, 0.0);
    if (positive) {
        EXPECT_GT(min, 0.0);
    }
    EXPECT_EQ(stats.value("samples").toInt(), 1);
}

TEST(BenchSmoke, EveryFigureIsReportedAndWellFormed)
{
    TempDir temp;
    std::string output;
    const BenchFigures figures = RunBench(temp.path() / "figures.json", output);
    EXPECT_TRUE(figures.missing.isEmpty()) << output;
    ASSERT_FALSE(figures.byName.empty()) << output;

    struct Expected {
        std::string figure;
        bool hasFloor;
        bool hasTarget;
    };
    const std::vector<Expected> expected = {
        {"start-up, latency 0 ms / process start to first paint", true, true},
        {"start-up, latency 0 ms / milestone process", true, false},
        {"start-up, latency 0 ms / milestone skin-loaded", false, false},
        {"start-up, latency 0 ms / milestone device-read", false, false},
        {"start-up, latency 0 ms / milestone first-paint", true, false},
        {"start-up, latency 0 ms / longest GUI stall during the first read", false, true},
        {"start-up, latency 0 ms / VmRSS at first paint", true, true},
        {"start-up, latency 0 ms / VmHWM at first paint", true, false},
        {"start-up, latency 0 ms / VmRSS after every page", true, true},
        {"start-up, latency 0 ms / VmHWM after every page", true, false},
        {"start-up, latency 0 ms / longest GUI stall during an Apply", false, true},
        {"device latency 0 / first read: calls", false, false},
        {"device latency 0 / apply buttons: calls", false, true},
        {"device latency 0 / apply macros: changing calls", false, false},
        {"device latency 0 / apply everything: calls", false, true},
        {"scale / read: time per device call", false, false},
        {"emulator / image load, decoded from the file", false, false},
        {"emulator / image load, kept while unchanged", false, false},
        {"skin / every window file, warm: total", false, true},
        {"skin / every window file, warm: slowest", false, false},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.figure);
        const auto found = figures.byName.find(e.figure);
        ASSERT_NE(found, figures.byName.end()) << output;
        const QJsonObject& figure = found->second;
        const bool counted = figure.value("unit").toString() == "calls";
        const bool memory = figure.value("unit").toString() == "MiB";
        ExpectWellFormed(figure.value("value").toObject(), counted || memory);
        EXPECT_EQ(figure.contains("floor"), e.hasFloor);
        if (e.hasFloor)
            ExpectWellFormed(figure.value("floor").toObject(), true);
        EXPECT_EQ(figure.contains("pass"), e.hasTarget);
        if (counted) {
            const double calls = figure.value("value").toObject().value("median").toDouble();
            EXPECT_EQ(calls, std::floor(calls));
        }
    }

    // The milestones come in the order the program reaches them.
    double previous = 0;
    for (const char* milestone : {"process", "skin-loaded", "device-read", "first-paint"}) {
        SCOPED_TRACE(milestone);
        const auto found = figures.byName.find(std::string("start-up, latency 0 ms / milestone ") + milestone);
        ASSERT_NE(found, figures.byName.end());
        const double ms = found->second.value("value").toObject().value("median").toDouble();
        EXPECT_GE(ms, previous);
        previous = ms;
    }

    // The memory after every page comes from the same process, later: its peak
    // cannot be below the peak at first paint, nor below its own resident size.
    // The Apply's stall is measured at the emulator's default latency too.
    const auto median = [&](const std::string& figure) {
        const auto found = figures.byName.find(figure);
        return found == figures.byName.end() ? NAN
                                             : found->second.value("value").toObject().value("median").toDouble(NAN);
    };
    std::set<std::string> startupSections;
    for (const auto& entry : figures.byName)
        if (entry.first.rfind("start-up, latency ", 0) == 0)
            startupSections.insert(entry.first.substr(0, entry.first.find(" / ")));
    EXPECT_EQ(startupSections.size(), 2u); // latency 0 and the emulator's default
    for (const std::string& section : startupSections) {
        SCOPED_TRACE(section);
        const double peakAtPaint = median(section + " / VmHWM at first paint");
        const double peakAfterPages = median(section + " / VmHWM after every page");
        EXPECT_GE(peakAfterPages, peakAtPaint);
        EXPECT_GE(peakAfterPages, median(section + " / VmRSS after every page"));
        EXPECT_GE(median(section + " / longest GUI stall during an Apply"), 0.0);
    }

    // An Apply of one changed setting changes the device at least once; the
    // count beside it says how many calls it took in all.
    for (const char* group : {"buttons", "sensitivity", "lighting", "power", "polling rate", "profiles", "macros"}) {
        SCOPED_TRACE(group);
        const auto changing =
            figures.byName.find(std::string("device latency 0 / apply ") + group + ": changing calls");
        ASSERT_NE(changing, figures.byName.end());
        EXPECT_GE(changing->second.value("value").toObject().value("min").toDouble(), 1.0);
    }
    // The table on standard output carries the same figures.
    EXPECT_NE(output.find("process start to first paint"), std::string::npos);
}

TEST(BenchSmoke, BadOptionsAreRefusedWithUsage)
{
    for (const QStringList& arguments :
         {QStringList{"--runs", "0"}, QStringList{"--runs"}, QStringList{"--profiles", "9"},
          QStringList{"--bogus", "1"}, QStringList{"--runs", "3x"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        QProcess bench;
        bench.start(QStringLiteral(ZT_BENCH), arguments);
        ASSERT_TRUE(bench.waitForFinished(30000));
        EXPECT_EQ(bench.exitCode(), 2);
        EXPECT_TRUE(bench.readAllStandardError().contains("usage:"));
    }
}

} // namespace
#endif
