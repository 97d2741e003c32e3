// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sensitivity stages a caller hands the stages popup: the range, how many
// stages are in use, which one is current, and one entry per possible stage.
#include <cstdint>
#include <vector>

struct StageEntry {
    int32_t value = 0;
    int32_t x = 0;
    int32_t y = 0;
    bool current = false;  // the current stage
    bool enabled = false;  // the stage number is at most the count in use
    bool separate = false; // separate X and Y values
};

struct StageSet {
    int32_t min = 0;
    int32_t max = 0;
    int32_t step = 1;
    int32_t count = 1;   // stages in use, 1 or more
    int32_t current = 1; // 1-based
    std::vector<StageEntry> entries;
};
