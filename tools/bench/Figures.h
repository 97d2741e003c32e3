// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The benchmark's results: each figure is the median and range of its samples,
// optionally beside a floor (the same measurement of a bare program) and a target.
#include <optional>
#include <string>
#include <vector>

struct Stats {
    double median = 0;
    double min = 0;
    double max = 0;
    size_t samples = 0;
};

// Nothing when there are no samples.
std::optional<Stats> Summarise(std::vector<double> samples);

struct Target {
    double limit = 0; // the figure's median must not exceed this
    std::string text; // how the target reads in the table
};

struct Figure {
    std::string section;
    std::string name;
    std::string unit;
    Stats value;
    std::optional<Stats> floor;
    std::optional<Target> target;

    bool Passes() const { return !target || value.median <= target->limit; }
};

class FigureTable {
public:
    // Adds a figure; one without samples is recorded as missing instead.
    void Add(std::string section, std::string name, std::string unit, const std::vector<double>& samples,
             const std::vector<double>& floorSamples = {}, std::optional<Target> target = std::nullopt);
    void AddMissing(std::string section, std::string name, std::string why);

    const std::vector<Figure>& figures() const { return figures_; }
    const std::vector<std::string>& missing() const { return missing_; }

    std::string Text() const;
    std::string Json(int runs) const;

private:
    std::vector<Figure> figures_;
    std::vector<std::string> missing_;
};
