// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/BaseProfile.h"

#include <algorithm>

CBaseProfile::CBaseProfile(std::u16string_view name)
{
    name_.SetEdited(name);
    registry_.Register(CategoryId::KeyAssignments, &keyAssignments_);
    registry_.Register(CategoryId::LedState, &ledStates_);
    registry_.Register(CategoryId::LedColour, &ledColours_);
    registry_.Register(CategoryId::LedBrightness, &ledBrightness_);
    registry_.Register(CategoryId::LedEffect, &ledEffects_);
    registry_.Register(CategoryId::ProfileGuid, &guid_);
    registry_.Register(CategoryId::ProfileName, &name_);
    registry_.Register(CategoryId::LinkedProgram, &linkedProgram_);
    registry_.Register(CategoryId::AutoSwitch, &autoSwitchCopy_);
    registry_.Register(CategoryId::ProfileOsd, &profileOsdCopy_);
}

bool CBaseProfile::SetLinkedProgramPath(std::u16string_view path)
{
    // Refused rather than cut: a shortened path would name another program, and a
    // path the device cannot take would fail every later write.
    if (path.size() > kMaxLinkedProgramPathLength || path.find(u'\0') != std::u16string_view::npos)
        return false;
    linkedProgramPath_ = path;
    // The device keeps only the program's file name with its extension. Paths
    // chosen here use '/', paths reported in the original form use '\'.
    size_t separator = path.find_last_of(u"/\\");
    std::u16string_view fileName = separator == std::u16string_view::npos ? path : path.substr(separator + 1);
    linkedProgram_.SetEdited(fileName);
    return true;
}

const LedRecord* CBaseProfile::FindLed(tLEDType led) const
{
    auto it = leds_.find(led);
    return it == leds_.end() ? nullptr : &it->second;
}

LedRecord& CBaseProfile::EnsureLed(tLEDType led)
{
    return leds_.try_emplace(led).first->second;
}

namespace {

// An LED value that was never tracked has no known committed side: whatever the
// device holds may differ from it, zero included, so it counts as modified.
template <typename Map, typename Value>
void SetTracked(Map& map, tLEDType led, const Value& value)
{
    const bool tracked = map.Find(led) != nullptr;
    auto& element = map.FindOrInsert(led);
    element.SetEdited(value);
    if (!tracked)
        element.MarkModified();
}

} // namespace

void CBaseProfile::SetLedState(tLEDType led, bool on)
{
    EnsureLed(led).on = on;
    SetTracked(ledStates_, led, on);
}

bool CBaseProfile::GetLedState(tLEDType led) const
{
    const LedRecord* record = FindLed(led);
    return record != nullptr && record->on;
}

void CBaseProfile::SetLedColour(tLEDType led, uint32_t colour)
{
    EnsureLed(led).colour = colour;
    SetTracked(ledColours_, led, colour);
}

uint32_t CBaseProfile::GetLedColour(tLEDType led) const
{
    const LedRecord* record = FindLed(led);
    return record ? record->colour : 0;
}

void CBaseProfile::SetLedEffect(tLEDType led, tLEDEffect effect)
{
    EnsureLed(led).effect = effect;
    SetTracked(ledEffects_, led, effect);
}

tLEDEffect CBaseProfile::GetLedEffect(tLEDType led) const
{
    const LedRecord* record = FindLed(led);
    return record ? record->effect : LED_EFFECT_FIXED_COLOUR;
}

void CBaseProfile::SetLedBrightness(tLEDType led, unsigned percent)
{
    unsigned stored = std::min<unsigned>(percent, LedRecord::kMaxBrightness);
    EnsureLed(led).brightness = stored;
    SetTracked(ledBrightness_, led, stored);
}

unsigned CBaseProfile::GetLedBrightness(tLEDType led) const
{
    const LedRecord* record = FindLed(led);
    return record ? record->brightness : 0;
}

bool CBaseProfile::SetKeyAssignment(int32_t key, const AssignmentRecord& record)
{
    // Keys are offered the same kinds as an ordinary button.
    if (!IsKindAllowed(record.kind, tMouseButton(0)))
        return false;
    keyAssignments_.FindOrInsert(key).SetEdited(record);
    return true;
}

AssignmentRecord CBaseProfile::GetKeyAssignment(int32_t key)
{
    return keyAssignments_.FindOrInsert(key).Edited();
}

bool CBaseProfile::IsListElementModified(int list, int32_t index) const
{
    if (list != CategoryList::KeyAssignments)
        return true;
    const CCatAssnmnt* element = keyAssignments_.Find(index);
    return element == nullptr || element->IsModified();
}

bool CBaseProfile::IsLedElementModified(tCategoryId map, tLEDType led) const
{
    const CCategory* element = nullptr;
    switch (map) {
    case CategoryId::LedState:
        element = ledStates_.Find(led);
        break;
    case CategoryId::LedColour:
        element = ledColours_.Find(led);
        break;
    case CategoryId::LedBrightness:
        element = ledBrightness_.Find(led);
        break;
    case CategoryId::LedEffect:
        element = ledEffects_.Find(led);
        break;
    default:
        break;
    }
    return element == nullptr || element->IsModified();
}

void CBaseProfile::Assign(const CBaseProfile& other)
{
    if (&other == this)
        return;
    name_.SetEdited(other.name_.Edited());
    linkedProgram_.SetEdited(other.linkedProgram_.Edited());
    linkedProgramPath_ = other.linkedProgramPath_;
    storedFilePath_ = other.storedFilePath_;
    guid_.SetEdited(other.guid_.Edited());
    autoSwitch_ = other.autoSwitch_;
    profileOsd_ = other.profileOsd_;
    autoSwitchCopy_.SetEdited(other.autoSwitch_);
    profileOsdCopy_.SetEdited(other.profileOsd_);

    CopyAssignmentsAsModified(keyAssignments_, other.keyAssignments_);

    leds_ = other.leds_;
    // A copy is a new profile to the device: every light is sent, also one that
    // is off, black or at effect 0 and so looks unchanged.
    for (const auto& [led, record] : other.leds_) {
        auto& state = ledStates_.FindOrInsert(led);
        state.SetEdited(record.on);
        state.MarkModified();
        auto& colour = ledColours_.FindOrInsert(led);
        colour.SetEdited(record.colour);
        colour.MarkModified();
        auto& effect = ledEffects_.FindOrInsert(led);
        effect.SetEdited(record.effect);
        effect.MarkModified();
        auto& brightness = ledBrightness_.FindOrInsert(led);
        brightness.SetEdited(record.brightness);
        brightness.MarkModified();
    }
}
