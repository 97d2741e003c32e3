// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/NullMouse.h"

#include "device/DeviceTiming.h"
#include "platform/core/Messages.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "skin/keyboard/KeyHash.h"
#include "skin/keyboard/KeyNames.h"

#include <thread>

bool CNullMouse::ReadAll(IMouseConfig* config)
{
    keyNameHashes_.clear();
    for (std::u16string_view name : KeyboardKeyNames(KeyNameVariant::WithF23F24))
        keyNameHashes_.push_back(HashKeyName(name));

    defaults_.clear();
    const std::pair<tMouseButton, int32_t> table[] = {{MOUSE_BUTTON_LEFT, AssignmentKind::Click},
                                                      {MOUSE_BUTTON_RIGHT, AssignmentKind::Menu},
                                                      {MOUSE_BUTTON_WHEEL, AssignmentKind::UniversalScrolling},
                                                      {MOUSE_BUTTON_4, AssignmentKind::Backward},
                                                      {MOUSE_BUTTON_5, AssignmentKind::Forward},
                                                      {MOUSE_BUTTON_WHEEL_UP, AssignmentKind::ScrollUp},
                                                      {MOUSE_BUTTON_WHEEL_DOWN, AssignmentKind::ScrollDown}};
    for (const auto& [button, kind] : table)
        defaults_[button] = AssignmentRecord::OfKind(kind);

    if (!config)
        return true;
    config->DeleteAllProfiles();
    IMouseProfile* profile = config->CreateProfile(kDefaultProfileName);
    if (!profile)
        return true;
    profile->SetGuid(kDefaultProfileId);
    profile->SetStageCount(5);
    profile->SetStagesInUse(5);
    profile->SetSensitivityRange(100, 5600, 100);
    const unsigned stages[] = {800, 1200, 1800, 4000, 5600};
    for (unsigned n = 1; n <= 5; ++n)
        profile->SetStageDpi(n, stages[n - 1]);
    profile->SelectStage(3);
    for (const auto& [button, assignment] : defaults_)
        profile->SetButtonAssignment(button, assignment);
    return true;
}

void CNullMouse::DiscardCache()
{
    keyNameHashes_.clear();
    keyNameHashes_.shrink_to_fit();
}

bool CNullMouse::Transfer(IMouseConfig*, int, uint16_t)
{
    SendProgress(0);
    std::this_thread::sleep_for(GetDeviceTiming().nullTransfer);
    return false;
}

bool CNullMouse::GetFirmwareVersion(std::u16string& text)
{
    text = u"1.00";
    return true;
}

bool CNullMouse::GetDeviceVersion(std::u16string& text)
{
    text = u"1.00";
    return true;
}
