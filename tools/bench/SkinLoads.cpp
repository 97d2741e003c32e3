// SPDX-License-Identifier: GPL-3.0-or-later
#include "SkinLoads.h"

#include "app/AppDirectory.h"
#include "controls/ControlFactories.h"
#include "controls/GUIPanel.h"
#include "skin/AppPaths.h"
#include "skin/SkinLoader.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>

namespace {

// Popups and pages: the files a window is made from. Language.xml is read first
// (it holds the fonts the others name), Keyboard.xml and MouseMats.xml hold no window.
bool IsWindowFile(const QString& name)
{
    return name != QStringLiteral("Language.xml") && name != QStringLiteral("Keyboard.xml") &&
           name != QStringLiteral("MouseMats.xml");
}

} // namespace

int RunSkinLoads(int argc, char** argv)
{
    QApplication application(argc, argv);
    SetAppDirectory((InstalledAppDirectory()).toStdU16String());
    RegisterAllControls();
    CGUIItems languages;
    if (!LoadSkinFile(languages, u"Language.xml", nullptr, false))
        return 1;
    SetSharedSkinItems(&languages);
    const QStringList files = QDir(QString::fromStdU16String(GetAppDirectory()) + QStringLiteral("xml"))
                                  .entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
    CGUIPanel owner(SkinRect{0, 0, 1, 1}, nullptr);
    for (int pass = 0; pass < 2; ++pass) {
        for (const QString& file : files) {
            if (!IsWindowFile(file))
                continue;
            CGUIItems items;
            const auto start = std::chrono::steady_clock::now();
            const bool loaded = LoadSkinFile(items, file.toStdU16String(), &owner, false);
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            items.Clear();
            if (pass == 1 && loaded)
                std::printf("%s %.3f\n", file.toLocal8Bit().constData(), ms);
        }
    }
    SetSharedSkinItems(nullptr);
    languages.Clear();
    return 0;
}

bool MeasureSkinLoads(const QString& bench, const QString& option, const QProcessEnvironment& environment, int runs,
                      FigureTable& table, std::string& error)
{
    std::vector<double> totals, slowest;
    std::map<std::string, int> slowestFiles;
    for (int run = 0; run < runs; ++run) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(bench, {option});
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0) {
            error = "the skin loads did not complete";
            return false;
        }
        double total = 0, worst = 0;
        std::string worstFile;
        const QStringList lines = QString::fromLocal8Bit(process.readAllStandardOutput()).split(u'\n');
        for (const QString& line : lines) {
            const QStringList parts = line.split(u' ');
            bool ok = false;
            const double ms = parts.size() == 2 ? parts[1].toDouble(&ok) : 0;
            if (!ok)
                continue;
            total += ms;
            if (ms > worst) {
                worst = ms;
                worstFile = parts[0].toStdString();
            }
        }
        if (worstFile.empty()) {
            error = "no skin file loaded";
            return false;
        }
        totals.push_back(total);
        slowest.push_back(worst);
        ++slowestFiles[worstFile];
    }
    const auto most = std::max_element(slowestFiles.begin(), slowestFiles.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    table.Add("skin", "every window file, warm: total", "ms", totals, {}, Target{50, "<= 50 ms"});
    table.Add("skin", "every window file, warm: slowest", "ms", slowest);
    std::fprintf(stderr, "zemko-tovik-bench: the slowest window file is mostly %s\n", most->first.c_str());
    return true;
}
