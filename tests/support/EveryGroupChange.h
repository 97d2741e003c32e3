// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One change to every group of settings a current-generation mouse stores, made
// through the configuration interface as the pages make it: the first profile
// renamed, with new stages, buttons, lights and on-screen display options; a new
// profile that becomes the active one; a new macro; acceleration, polling rate,
// power and surface calibration. A write of it touches every group the device
// has. No button names a profile or macro, so two runs of it leave images that
// differ only in the identities the device hands out. A mouse in factory state
// holds none of these values, so a write of them changes every group.
#include "settings/AssignmentKind.h"
#include "settings/AssignmentRecord.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"

// Every value is set outright rather than toggled, so that making the change
// again over a device that took part of it finishes it. False when the
// configuration refused part of the change (it was not read from a
// current-generation mouse).
inline bool ChangeEveryGroup(IMouseConfig& config)
{
    IMouseProfile* first = config.GetProfile(0);
    const size_t rates = config.GetSupportedPollingRateCount();
    if (!first || rates < 2)
        return false;
    if (first->GetName() != u"Faulted")
        first = config.RenameProfile(first, u"Faulted");
    IMouseProfile* fresh = config.FindProfileByName(u"Fresh");
    if (!fresh)
        fresh = config.CreateProfile(u"Fresh");
    CMacro* macro = config.FindMacroByName(u"Combo");
    if (!macro)
        macro = config.CreateMacro(u"Combo");
    if (!first || !fresh || !macro)
        return false;
    macro->SetEvents({MacroEvent::Keystroke(0x1E, 'A', true, false), MacroEvent::Delay(40),
                      MacroEvent::Keystroke(0x1E, 'A', false, false), MacroEvent::MouseButton(1, true),
                      MacroEvent::MouseButton(1, false)});

    for (IMouseProfile* profile : {first, fresh}) {
        const unsigned base = profile == first ? 400 : 600;
        if (!config.SetStageCount(4, profile))
            return false;
        for (unsigned stage = 1; stage <= 4; ++stage)
            config.SetStageDpi(stage, base * stage, profile);
        config.SetStageSeparate(3, true, profile);
        config.SetStageX(3, base * 2, profile);
        config.SetStageY(3, base * 4, profile);
        config.SetStagesInUse(3, profile);
        config.SelectStage(3, profile);
        config.SetCurrentDpi(base * 2, profile);
        config.SetDpiOsd(false, profile);
        if (!config.SetButtonAssignment(MOUSE_BUTTON_4, AssignmentRecord::OfKind(AssignmentKind::DoubleClick),
                                        profile) ||
            !config.SetButtonAssignment(MOUSE_BUTTON_5, MakeSingleKeyAssignment(0x1E, 'A', 0), profile))
            return false;
        config.SetLedState(LED_SCROLL_WHEEL, false, profile);
        config.SetLedColour(LED_BATTERY_INDICATOR, profile == first ? 0x00FF8000u : 0x000080FFu, profile);
        config.SetLedBrightness(LED_BATTERY_INDICATOR, 46, profile);
        config.SetLedEffect(LED_BATTERY_INDICATOR, LED_EFFECT_SPECTRUM_CYCLING, profile);
    }
    if (!config.SetLinkedProgramPath(u"/usr/games/arena", first))
        return false;
    config.SetAutoSwitch(true, first);
    config.SetCurrentProfile(fresh);

    config.SetAccelerationOn(true);
    config.SetAccelerationLevel(7);
    config.SetPollingRate(tPollingRate(rates - 1));
    config.SetBatteryWarningLevel(40);
    config.SetReducedBrightness(90);
    config.SetIdleTimeBeforeSleep(300);
    config.SetSurfaceCalibration(true);
    config.SetAutomaticLiftOff(false);
    config.SetLiftOffRange(30);
    return true;
}
