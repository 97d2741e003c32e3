// SPDX-License-Identifier: GPL-3.0-or-later
// Device-wide values of the configuration, the auxiliary assignments and the
// auxiliary counter records.
#include "settings/TovikEliteConfig.h"

#include <algorithm>
#include <iterator>

namespace {

// Well defined even when a range arrives with its minimum above its maximum.
unsigned ClampInto(unsigned value, unsigned minimum, unsigned maximum)
{
    return std::max(minimum, std::min(value, maximum));
}

} // namespace

// --- device-wide values ------------------------------------------------------------------

void CTovikEliteConfig::SetValue16Range(unsigned minimum, unsigned maximum)
{
    accelerationMin_ = minimum;
    accelerationMax_ = maximum;
}

void CTovikEliteConfig::SetAccelerationLevel(unsigned level)
{
    accelerationLevel_.SetEdited(ClampInto(level, accelerationMin_, accelerationMax_));
}

void CTovikEliteConfig::SetSupportedPollingRates(const std::vector<uint32_t>& rates)
{
    supportedRateCount_ = std::min(rates.size(), kMaxSupportedPollingRates);
    for (size_t i = 0; i < supportedRateCount_; ++i)
        supportedRates_[i] = rates[i];
}

std::optional<uint32_t> CTovikEliteConfig::GetSupportedPollingRate(size_t index) const
{
    auto it = supportedRates_.find(index);
    if (it == supportedRates_.end())
        return std::nullopt;
    return it->second;
}

void CTovikEliteConfig::SetValue30Range(unsigned minimum, unsigned maximum)
{
    liftOffMin_ = minimum;
    liftOffMax_ = maximum;
}

void CTovikEliteConfig::SetLiftOffRange(unsigned value)
{
    liftOffRange_.SetEdited(ClampInto(value, liftOffMin_, liftOffMax_));
}

void CTovikEliteConfig::SetBatteryRange()
{
    batteryMin_ = 0;
    batteryMax_ = 255;
}

void CTovikEliteConfig::SetBatteryLevel(unsigned level)
{
    batteryLevel_ = ClampInto(level, batteryMin_, batteryMax_);
}

void CTovikEliteConfig::SetBatteryWarningLevel(unsigned level)
{
    batteryWarningLevel_.SetEdited(ClampInto(level, batteryMin_, batteryMax_));
}

void CTovikEliteConfig::SetIdleTimeBeforeSleep(unsigned seconds)
{
    idleTime_ = seconds;
    idleTimeCategory_.SetEdited(seconds);
}

void CTovikEliteConfig::SetReducedBrightness(unsigned value)
{
    reducedBrightness_ = std::min(value, kMaxReducedBrightness);
    reducedBrightnessCategory_.SetEdited(reducedBrightness_);
}

// --- auxiliary assignments and counters ---------------------------------------------------

bool CTovikEliteConfig::SetAuxiliaryAssignment(int32_t key, const AssignmentRecord& record)
{
    if (record.kind != AssignmentKind::Auxiliary)
        return false;
    // A fresh element with an unset committed side: the entry is always sent.
    CCatAssnmnt element;
    element.SetEdited(record);
    auxiliaryAssignments_.Replace(key, element);
    return true;
}

AssignmentRecord CTovikEliteConfig::GetAuxiliaryAssignment(int32_t key)
{
    return auxiliaryAssignments_.FindOrInsert(key).Edited();
}

int32_t CTovikEliteConfig::GetAuxiliaryAssignmentKey(size_t position) const
{
    if (position >= auxiliaryAssignments_.Size())
        return 0;
    auto it = auxiliaryAssignments_.begin();
    std::advance(it, std::ptrdiff_t(position));
    return it->first;
}

bool CTovikEliteConfig::SetCounterFirst(size_t index, uint32_t first)
{
    if (index >= counters_.size())
        return false;
    counters_[index].first = first;
    return true;
}

bool CTovikEliteConfig::SetCounterSecondThird(size_t index, uint32_t second, uint32_t third)
{
    if (index >= counters_.size())
        return false;
    counters_[index].second = second;
    counters_[index].third = third;
    return true;
}

bool CTovikEliteConfig::GetCounterFirst(size_t index, uint32_t& first) const
{
    if (index >= counters_.size())
        return false;
    first = counters_[index].first;
    return true;
}

bool CTovikEliteConfig::GetCounterSecondThird(size_t index, uint32_t& second, uint32_t& third) const
{
    if (index >= counters_.size())
        return false;
    second = counters_[index].second;
    third = counters_[index].third;
    return true;
}

void CTovikEliteConfig::AddCounter(uint32_t first, uint32_t second, uint32_t third)
{
    counters_.push_back({first, second, third});
}
