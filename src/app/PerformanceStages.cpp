// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PerformanceStages.h"

#include "settings/IMouseConfig.h"

#include <algorithm>
#include <array>

namespace {

constexpr unsigned kPaddedStages = 5;
constexpr std::array<int32_t, kPaddedStages> kCurrentGenerationDefaults{800, 1800, 4000, 5600, 6400};
constexpr std::array<int32_t, kPaddedStages> kEarlierGenerationDefaults{800, 1200, 1800, 4000, 5600};

} // namespace

StageSet StageSetFromProfile(const IMouseConfig& config, bool currentGeneration)
{
    StageSet set;
    unsigned min = 0, max = 0, step = 0;
    config.GetSensitivityRange(min, max, step);
    set.min = int32_t(min);
    set.max = int32_t(max);
    set.step = int32_t(std::max(1u, step));
    const unsigned stageCount = config.GetStageCount();
    set.count = int32_t(config.GetStagesInUse());
    set.current = config.GetSelectedStage();
    for (unsigned i = 1; i <= stageCount; ++i) {
        StageEntry entry;
        entry.value = int32_t(config.GetStageDpi(i));
        entry.x = int32_t(config.GetStageX(i));
        entry.y = int32_t(config.GetStageY(i));
        entry.separate = config.GetStageSeparate(i);
        entry.current = int(i) == set.current;
        entry.enabled = int32_t(i) <= set.count;
        set.entries.push_back(entry);
    }
    const auto& defaults = currentGeneration ? kCurrentGenerationDefaults : kEarlierGenerationDefaults;
    for (unsigned i = stageCount + 1; i <= kPaddedStages; ++i) {
        StageEntry entry;
        entry.value = entry.x = entry.y = defaults[i - 1];
        set.entries.push_back(entry);
    }
    return set;
}

void StoreStageSet(IMouseConfig& config, const StageSet& stages)
{
    const unsigned inUse = unsigned(std::max(1, stages.count));
    // A profile setter given a stage beyond the profile's last one changes the last
    // one instead, so the profile first grows to every stage in use.
    if (inUse > config.GetStageCount())
        config.SetStageCount(inUse);
    config.SetStagesInUse(inUse);
    const unsigned stored = std::min<unsigned>(config.GetStageCount(), unsigned(stages.entries.size()));
    for (unsigned i = 1; i <= stored; ++i) {
        const StageEntry& entry = stages.entries[i - 1];
        config.SetStageDpi(i, unsigned(entry.value));
        config.SetStageX(i, unsigned(entry.x));
        config.SetStageY(i, unsigned(entry.y));
        config.SetStageSeparate(i, entry.separate);
    }
    const unsigned current = unsigned(std::clamp(stages.current, 1, int(inUse)));
    if (current <= stages.entries.size()) {
        const StageEntry& entry = stages.entries[current - 1];
        config.SelectStage(int(current));
        config.SetCurrentDpi(unsigned(entry.value));
        config.SetCurrentX(unsigned(entry.x));
        config.SetCurrentY(unsigned(entry.y));
        config.SetCurrentSeparate(entry.separate);
    }
}
