// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/KeyFieldGate.h"

#include "platform/core/VirtualKeys.h"

#include <algorithm>

namespace {

constexpr USHORT kCtrlScan = 29;
constexpr USHORT kLeftShiftScan = 42;
constexpr USHORT kRightShiftScan = 54;

bool IsCtrl(const RawKeyboard& key)
{
    return key.makeCode == kCtrlScan;
}

bool IsShift(const RawKeyboard& key)
{
    return key.makeCode == kLeftShiftScan || key.makeCode == kRightShiftScan;
}

bool IsDown(const RawKeyboard& key)
{
    return (key.flags & RI_KEY_BREAK) == 0;
}

} // namespace

unsigned CKeyFieldGate::KeyOf(const RawKeyboard& key)
{
    return (unsigned(key.makeCode) << 1) | ((key.flags & RI_KEY_E0) ? 1u : 0u);
}

bool CKeyFieldGate::Holds(unsigned key) const
{
    return std::any_of(held_.begin(), held_.end(), [&](const RawInput& r) { return KeyOf(r.keyboard) == key; });
}

void CKeyFieldGate::Reset()
{
    held_.clear();
    swallowed_.clear();
}

CKeyFieldGate::Outcome CKeyFieldGate::Take(const RawInput& record)
{
    Outcome outcome;
    if (record.type != RIM_TYPEKEYBOARD) {
        outcome.deliver.push_back(record);
        return outcome;
    }
    const RawKeyboard& key = record.keyboard;
    const unsigned id = KeyOf(key);
    const auto swallowed = std::find(swallowed_.begin(), swallowed_.end(), id);
    if (swallowed != swallowed_.end()) {
        // The key took part in leaving: its repeats and its release stay away.
        if (!IsDown(key))
            swallowed_.erase(swallowed);
        return outcome;
    }

    if (IsCtrl(key) || IsShift(key)) {
        if (IsDown(key)) {
            if (!Holds(id)) // a held key repeats its press
                held_.push_back(record);
            return outcome;
        }
        // Released on its own: the field gets the press it was waiting for.
        outcome.deliver = std::move(held_);
        held_.clear();
        outcome.deliver.push_back(record);
        return outcome;
    }

    const bool ctrlHeld = std::any_of(held_.begin(), held_.end(), [](const RawInput& r) { return IsCtrl(r.keyboard); });
    if (IsDown(key) && key.vKey == VK_TAB && ctrlHeld) {
        const bool shiftHeld =
            std::any_of(held_.begin(), held_.end(), [](const RawInput& r) { return IsShift(r.keyboard); });
        for (const RawInput& held : held_)
            swallowed_.push_back(KeyOf(held.keyboard));
        swallowed_.push_back(id);
        held_.clear();
        outcome.leaveForward = !shiftHeld;
        return outcome;
    }

    outcome.deliver = std::move(held_);
    held_.clear();
    outcome.deliver.push_back(record);
    return outcome;
}
