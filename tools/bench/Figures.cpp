// SPDX-License-Identifier: GPL-3.0-or-later
#include "Figures.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>

std::optional<Stats> Summarise(std::vector<double> samples)
{
    if (samples.empty())
        return std::nullopt;
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    Stats stats;
    stats.median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    stats.min = samples.front();
    stats.max = samples.back();
    stats.samples = n;
    return stats;
}

void FigureTable::Add(std::string section, std::string name, std::string unit, const std::vector<double>& samples,
                      const std::vector<double>& floorSamples, std::optional<Target> target)
{
    const auto value = Summarise(samples);
    if (!value) {
        AddMissing(std::move(section), std::move(name), "no sample");
        return;
    }
    figures_.push_back(
        {std::move(section), std::move(name), std::move(unit), *value, Summarise(floorSamples), std::move(target)});
}

void FigureTable::AddMissing(std::string section, std::string name, std::string why)
{
    missing_.push_back(section + ": " + name + ": " + why);
}

namespace {

std::string Format(const char* format, auto... values)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

std::string Range(const Stats& stats)
{
    // Small figures (per-call costs) need the extra digits to be told apart.
    if (stats.max < 10)
        return Format("%.3f (%.3f-%.3f)", stats.median, stats.min, stats.max);
    return Format("%.1f (%.1f-%.1f)", stats.median, stats.min, stats.max);
}

QJsonObject StatsJson(const Stats& stats)
{
    return QJsonObject{
        {"median", stats.median}, {"min", stats.min}, {"max", stats.max}, {"samples", qint64(stats.samples)}};
}

} // namespace

std::string FigureTable::Text() const
{
    std::string text =
        Format("%-24s %-48s %-26s %-26s %s\n", "section", "figure", "median (min-max)", "floor (ratio)", "target");
    for (const Figure& figure : figures_) {
        std::string floor = "-";
        if (figure.floor) {
            floor = Range(*figure.floor);
            if (figure.floor->median > 0)
                floor += Format(" x%.1f", figure.value.median / figure.floor->median);
        }
        std::string target = "-";
        if (figure.target)
            target = figure.target->text + (figure.Passes() ? "  pass" : "  FAIL");
        text += Format("%-24s %-48s %-26s %-26s %s\n", figure.section.c_str(),
                       (figure.name + " [" + figure.unit + "]").c_str(), Range(figure.value).c_str(), floor.c_str(),
                       target.c_str());
    }
    for (const std::string& line : missing_)
        text += "missing: " + line + "\n";
    return text;
}

std::string FigureTable::Json(int runs) const
{
    QJsonArray figures;
    for (const Figure& figure : figures_) {
        QJsonObject object{{"section", QString::fromStdString(figure.section)},
                           {"name", QString::fromStdString(figure.name)},
                           {"unit", QString::fromStdString(figure.unit)},
                           {"value", StatsJson(figure.value)}};
        if (figure.floor)
            object.insert("floor", StatsJson(*figure.floor));
        if (figure.target) {
            object.insert("target", QString::fromStdString(figure.target->text));
            object.insert("limit", figure.target->limit);
            object.insert("pass", figure.Passes());
        }
        figures.append(object);
    }
    QJsonArray missing;
    for (const std::string& line : missing_)
        missing.append(QString::fromStdString(line));
    const QJsonObject root{{"runs", runs}, {"figures", figures}, {"missing", missing}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}
