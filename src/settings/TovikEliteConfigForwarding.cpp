// SPDX-License-Identifier: GPL-3.0-or-later
// The per-profile operations of the configuration: each acts on the given profile,
// or on the current one when none is given, and does nothing (or answers 0) when
// there is no profile to act on.
#include "settings/DefaultButtonAssignments.h"
#include "settings/TovikEliteConfig.h"

// --- forwarded per-profile operations ---------------------------------------------------

bool CTovikEliteConfig::SetStageCount(unsigned n, IMouseProfile* profile)
{
    IMouseProfile* target = Target(profile);
    return target != nullptr && target->SetStageCount(n);
}

void CTovikEliteConfig::SetStagesInUse(unsigned n, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetStagesInUse(n);
}

unsigned CTovikEliteConfig::GetStageCount(IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target ? target->GetStageCount() : 0;
}

unsigned CTovikEliteConfig::GetStagesInUse(IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target ? target->GetStagesInUse() : 0;
}

size_t CTovikEliteConfig::GetKeyAssignmentCount(IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target ? target->GetKeyAssignmentCount() : 0;
}

bool CTovikEliteConfig::SetLinkedProgramPath(std::u16string_view path, IMouseProfile* profile)
{
    IMouseProfile* target = Target(profile);
    return target && target->SetLinkedProgramPath(path);
}

std::u16string CTovikEliteConfig::GetLinkedProgramPath(IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target ? target->GetLinkedProgramPath() : std::u16string();
}

void CTovikEliteConfig::SetAutoSwitch(bool on, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetAutoSwitch(on);
}

bool CTovikEliteConfig::GetAutoSwitch(IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target != nullptr && target->GetAutoSwitch();
}

void CTovikEliteConfig::SetProfileOsd(bool on, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetProfileOsd(on);
}

bool CTovikEliteConfig::GetProfileOsd(IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target != nullptr && target->GetProfileOsd();
}

void CTovikEliteConfig::SetDpiOsd(bool on, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetDpiOsd(on);
}

bool CTovikEliteConfig::GetDpiOsd(IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target != nullptr && target->GetDpiOsd();
}

void CTovikEliteConfig::SetStageSeparate(unsigned stage, bool separate, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetStageSeparate(stage, separate);
}

bool CTovikEliteConfig::GetStageSeparate(unsigned stage, IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target != nullptr && target->GetStageSeparate(stage);
}

void CTovikEliteConfig::SelectStage(int n, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SelectStage(n);
}

int CTovikEliteConfig::GetSelectedStage(IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target ? target->GetSelectedStage() : 0;
}

void CTovikEliteConfig::SetStageDpi(unsigned stage, unsigned value, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetStageDpi(stage, value);
}

unsigned CTovikEliteConfig::GetStageDpi(unsigned stage, IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target ? target->GetStageDpi(stage) : 0;
}

void CTovikEliteConfig::SetStageX(unsigned stage, unsigned value, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetStageX(stage, value);
}

unsigned CTovikEliteConfig::GetStageX(unsigned stage, IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target ? target->GetStageX(stage) : 0;
}

void CTovikEliteConfig::SetStageY(unsigned stage, unsigned value, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetStageY(stage, value);
}

unsigned CTovikEliteConfig::GetStageY(unsigned stage, IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target ? target->GetStageY(stage) : 0;
}

void CTovikEliteConfig::SetCurrentDpi(unsigned value, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetCurrentDpi(value);
}

unsigned CTovikEliteConfig::GetCurrentDpi(IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target ? target->GetCurrentDpi() : 0;
}

void CTovikEliteConfig::SetCurrentX(unsigned value, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetCurrentX(value);
}

unsigned CTovikEliteConfig::GetCurrentX(IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target ? target->GetCurrentX() : 0;
}

void CTovikEliteConfig::SetCurrentY(unsigned value, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetCurrentY(value);
}

unsigned CTovikEliteConfig::GetCurrentY(IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target ? target->GetCurrentY() : 0;
}

void CTovikEliteConfig::SetCurrentSeparate(bool separate, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetCurrentSeparate(separate);
}

bool CTovikEliteConfig::GetCurrentSeparate(IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target != nullptr && target->GetCurrentSeparate();
}

void CTovikEliteConfig::SetSecondDpi(unsigned value, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetSecondDpi(value);
}

unsigned CTovikEliteConfig::GetSecondDpi(IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target ? target->GetSecondDpi() : 0;
}

void CTovikEliteConfig::SetSecondX(unsigned value, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetSecondX(value);
}

unsigned CTovikEliteConfig::GetSecondX(IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target ? target->GetSecondX() : 0;
}

void CTovikEliteConfig::SetSecondY(unsigned value, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetSecondY(value);
}

unsigned CTovikEliteConfig::GetSecondY(IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target ? target->GetSecondY() : 0;
}

void CTovikEliteConfig::SetSecondSeparate(bool separate, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetSecondSeparate(separate);
}

bool CTovikEliteConfig::GetSecondSeparate(IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target != nullptr && target->GetSecondSeparate();
}

void CTovikEliteConfig::SetSensitivityRange(unsigned minimum, unsigned maximum, unsigned step, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetSensitivityRange(minimum, maximum, step);
}

bool CTovikEliteConfig::GetSensitivityRange(unsigned& minimum, unsigned& maximum, unsigned& step,
                                            IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    if (target == nullptr) {
        minimum = maximum = step = 0;
        return false;
    }
    return target->GetSensitivityRange(minimum, maximum, step);
}

bool CTovikEliteConfig::SetButtonAssignment(tMouseButton button, const AssignmentRecord& record, IMouseProfile* profile)
{
    IMouseProfile* target = Target(profile);
    return target != nullptr && target->SetButtonAssignment(button, record);
}

AssignmentRecord CTovikEliteConfig::GetButtonAssignment(tMouseButton button, IMouseProfile* profile)
{
    IMouseProfile* target = Target(profile);
    return target ? target->GetButtonAssignment(button) : AssignmentRecord::Unset();
}

bool CTovikEliteConfig::HasClickAssignment(IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target != nullptr && target->HasClickAssignment();
}

AssignmentRecord CTovikEliteConfig::GetDefaultButtonAssignment(tMouseButton button) const
{
    return ::GetDefaultButtonAssignment(button);
}

bool CTovikEliteConfig::SetKeyAssignment(int32_t key, const AssignmentRecord& record, IMouseProfile* profile)
{
    IMouseProfile* target = Target(profile);
    return target != nullptr && target->SetKeyAssignment(key, record);
}

AssignmentRecord CTovikEliteConfig::GetKeyAssignment(int32_t key, IMouseProfile* profile)
{
    IMouseProfile* target = Target(profile);
    return target ? target->GetKeyAssignment(key) : AssignmentRecord::Unset();
}

void CTovikEliteConfig::SetKeyMapFlag(bool on, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetKeyMapFlag(on);
}

bool CTovikEliteConfig::GetKeyMapFlag(IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target != nullptr && target->GetKeyMapFlag();
}

void CTovikEliteConfig::SetLedState(tLEDType led, bool on, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetLedState(led, on);
}

bool CTovikEliteConfig::GetLedState(tLEDType led, IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target != nullptr && target->GetLedState(led);
}

void CTovikEliteConfig::SetLedColour(tLEDType led, uint32_t colour, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetLedColour(led, colour);
}

uint32_t CTovikEliteConfig::GetLedColour(tLEDType led, IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target ? target->GetLedColour(led) : 0;
}

void CTovikEliteConfig::SetLedEffect(tLEDType led, tLEDEffect effect, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetLedEffect(led, effect);
}

tLEDEffect CTovikEliteConfig::GetLedEffect(tLEDType led, IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target ? target->GetLedEffect(led) : LED_EFFECT_FIXED_COLOUR;
}

void CTovikEliteConfig::SetLedBrightness(tLEDType led, unsigned percent, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetLedBrightness(led, percent);
}

unsigned CTovikEliteConfig::GetLedBrightness(tLEDType led, IMouseProfile* profile) const
{
    IMouseProfile* target = Target(profile);
    return target ? target->GetLedBrightness(led) : 0;
}
