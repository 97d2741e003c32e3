// SPDX-License-Identifier: GPL-3.0-or-later
// The per-profile operations of the configuration: each acts on the given profile,
// or on the current one when none is given, and does nothing (or answers 0) when
// there is no profile to act on.
#include "settings/DefaultButtonAssignments.h"
#include "settings/TovikEliteConfig.h"

#include <functional>
#include <type_traits>
#include <utility>

namespace {
// Asks the target profile; without one, the answer is `fallback`.
template <typename Operation, typename Fallback, typename... Args>
auto Answer(IMouseProfile* target, Fallback&& fallback, Operation operation, Args&&... args)
{
    using Result = std::invoke_result_t<Operation, IMouseProfile*, Args...>;
    return target ? std::invoke(operation, target, std::forward<Args>(args)...)
                  : Result(std::forward<Fallback>(fallback));
}

// Tells the target profile; without one, nothing happens.
template <typename Operation, typename... Args>
void Apply(IMouseProfile* target, Operation operation, Args&&... args)
{
    if (target)
        std::invoke(operation, target, std::forward<Args>(args)...);
}
} // namespace

// --- forwarded per-profile operations ---------------------------------------------------

bool CTovikEliteConfig::SetStageCount(unsigned n, IMouseProfile* profile)
{
    return Answer(Target(profile), false, &IMouseProfile::SetStageCount, n);
}

void CTovikEliteConfig::SetStagesInUse(unsigned n, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetStagesInUse, n);
}

unsigned CTovikEliteConfig::GetStageCount(IMouseProfile* profile) const
{
    return Answer(Target(profile), 0, &IMouseProfile::GetStageCount);
}

unsigned CTovikEliteConfig::GetStagesInUse(IMouseProfile* profile) const
{
    return Answer(Target(profile), 0, &IMouseProfile::GetStagesInUse);
}

size_t CTovikEliteConfig::GetKeyAssignmentCount(IMouseProfile* profile) const
{
    return Answer(Target(profile), 0, &IMouseProfile::GetKeyAssignmentCount);
}

bool CTovikEliteConfig::SetLinkedProgramPath(std::u16string_view path, IMouseProfile* profile)
{
    return Answer(Target(profile), false, &IMouseProfile::SetLinkedProgramPath, path);
}

std::u16string CTovikEliteConfig::GetLinkedProgramPath(IMouseProfile* profile) const
{
    return Answer(Target(profile), std::u16string(), &IMouseProfile::GetLinkedProgramPath);
}

void CTovikEliteConfig::SetAutoSwitch(bool on, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetAutoSwitch, on);
}

bool CTovikEliteConfig::GetAutoSwitch(IMouseProfile* profile) const
{
    return Answer(Target(profile), false, &IMouseProfile::GetAutoSwitch);
}

void CTovikEliteConfig::SetProfileOsd(bool on, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetProfileOsd, on);
}

bool CTovikEliteConfig::GetProfileOsd(IMouseProfile* profile) const
{
    return Answer(Target(profile), false, &IMouseProfile::GetProfileOsd);
}

void CTovikEliteConfig::SetDpiOsd(bool on, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetDpiOsd, on);
}

bool CTovikEliteConfig::GetDpiOsd(IMouseProfile* profile) const
{
    return Answer(Target(profile), false, &IMouseProfile::GetDpiOsd);
}

void CTovikEliteConfig::SetStageSeparate(unsigned stage, bool separate, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetStageSeparate, stage, separate);
}

bool CTovikEliteConfig::GetStageSeparate(unsigned stage, IMouseProfile* profile) const
{
    return Answer(Target(profile), false, &IMouseProfile::GetStageSeparate, stage);
}

void CTovikEliteConfig::SelectStage(int n, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SelectStage, n);
}

int CTovikEliteConfig::GetSelectedStage(IMouseProfile* profile) const
{
    return Answer(Target(profile), 0, &IMouseProfile::GetSelectedStage);
}

void CTovikEliteConfig::SetStageDpi(unsigned stage, unsigned value, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetStageDpi, stage, value);
}

unsigned CTovikEliteConfig::GetStageDpi(unsigned stage, IMouseProfile* profile) const
{
    return Answer(Target(profile), 0, &IMouseProfile::GetStageDpi, stage);
}

void CTovikEliteConfig::SetStageX(unsigned stage, unsigned value, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetStageX, stage, value);
}

unsigned CTovikEliteConfig::GetStageX(unsigned stage, IMouseProfile* profile) const
{
    return Answer(Target(profile), 0, &IMouseProfile::GetStageX, stage);
}

void CTovikEliteConfig::SetStageY(unsigned stage, unsigned value, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetStageY, stage, value);
}

unsigned CTovikEliteConfig::GetStageY(unsigned stage, IMouseProfile* profile) const
{
    return Answer(Target(profile), 0, &IMouseProfile::GetStageY, stage);
}

void CTovikEliteConfig::SetCurrentDpi(unsigned value, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetCurrentDpi, value);
}

unsigned CTovikEliteConfig::GetCurrentDpi(IMouseProfile* profile) const
{
    return Answer(Target(profile), 0, &IMouseProfile::GetCurrentDpi);
}

void CTovikEliteConfig::SetCurrentX(unsigned value, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetCurrentX, value);
}

unsigned CTovikEliteConfig::GetCurrentX(IMouseProfile* profile) const
{
    return Answer(Target(profile), 0, &IMouseProfile::GetCurrentX);
}

void CTovikEliteConfig::SetCurrentY(unsigned value, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetCurrentY, value);
}

unsigned CTovikEliteConfig::GetCurrentY(IMouseProfile* profile) const
{
    return Answer(Target(profile), 0, &IMouseProfile::GetCurrentY);
}

void CTovikEliteConfig::SetCurrentSeparate(bool separate, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetCurrentSeparate, separate);
}

bool CTovikEliteConfig::GetCurrentSeparate(IMouseProfile* profile) const
{
    return Answer(Target(profile), false, &IMouseProfile::GetCurrentSeparate);
}

void CTovikEliteConfig::SetSecondDpi(unsigned value, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetSecondDpi, value);
}

unsigned CTovikEliteConfig::GetSecondDpi(IMouseProfile* profile) const
{
    return Answer(Target(profile), 0, &IMouseProfile::GetSecondDpi);
}

void CTovikEliteConfig::SetSecondX(unsigned value, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetSecondX, value);
}

unsigned CTovikEliteConfig::GetSecondX(IMouseProfile* profile) const
{
    return Answer(Target(profile), 0, &IMouseProfile::GetSecondX);
}

void CTovikEliteConfig::SetSecondY(unsigned value, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetSecondY, value);
}

unsigned CTovikEliteConfig::GetSecondY(IMouseProfile* profile) const
{
    return Answer(Target(profile), 0, &IMouseProfile::GetSecondY);
}

void CTovikEliteConfig::SetSecondSeparate(bool separate, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetSecondSeparate, separate);
}

bool CTovikEliteConfig::GetSecondSeparate(IMouseProfile* profile) const
{
    return Answer(Target(profile), false, &IMouseProfile::GetSecondSeparate);
}

void CTovikEliteConfig::SetSensitivityRange(unsigned minimum, unsigned maximum, unsigned step, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetSensitivityRange, minimum, maximum, step);
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
    return Answer(Target(profile), false, &IMouseProfile::SetButtonAssignment, button, record);
}

AssignmentRecord CTovikEliteConfig::GetButtonAssignment(tMouseButton button, IMouseProfile* profile)
{
    return Answer(Target(profile), AssignmentRecord::Unset(), &IMouseProfile::GetButtonAssignment, button);
}

bool CTovikEliteConfig::HasClickAssignment(IMouseProfile* profile) const
{
    return Answer(Target(profile), false, &IMouseProfile::HasClickAssignment);
}

AssignmentRecord CTovikEliteConfig::GetDefaultButtonAssignment(tMouseButton button) const
{
    return ::GetDefaultButtonAssignment(button);
}

bool CTovikEliteConfig::SetKeyAssignment(int32_t key, const AssignmentRecord& record, IMouseProfile* profile)
{
    return Answer(Target(profile), false, &IMouseProfile::SetKeyAssignment, key, record);
}

AssignmentRecord CTovikEliteConfig::GetKeyAssignment(int32_t key, IMouseProfile* profile)
{
    return Answer(Target(profile), AssignmentRecord::Unset(), &IMouseProfile::GetKeyAssignment, key);
}

void CTovikEliteConfig::SetKeyMapFlag(bool on, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetKeyMapFlag, on);
}

bool CTovikEliteConfig::GetKeyMapFlag(IMouseProfile* profile) const
{
    return Answer(Target(profile), false, &IMouseProfile::GetKeyMapFlag);
}

void CTovikEliteConfig::SetLedState(tLEDType led, bool on, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetLedState, led, on);
}

bool CTovikEliteConfig::GetLedState(tLEDType led, IMouseProfile* profile) const
{
    return Answer(Target(profile), false, &IMouseProfile::GetLedState, led);
}

void CTovikEliteConfig::SetLedColour(tLEDType led, uint32_t colour, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetLedColour, led, colour);
}

uint32_t CTovikEliteConfig::GetLedColour(tLEDType led, IMouseProfile* profile) const
{
    return Answer(Target(profile), 0, &IMouseProfile::GetLedColour, led);
}

void CTovikEliteConfig::SetLedEffect(tLEDType led, tLEDEffect effect, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetLedEffect, led, effect);
}

tLEDEffect CTovikEliteConfig::GetLedEffect(tLEDType led, IMouseProfile* profile) const
{
    return Answer(Target(profile), LED_EFFECT_FIXED_COLOUR, &IMouseProfile::GetLedEffect, led);
}

void CTovikEliteConfig::SetLedBrightness(tLEDType led, unsigned percent, IMouseProfile* profile)
{
    Apply(Target(profile), &IMouseProfile::SetLedBrightness, led, percent);
}

unsigned CTovikEliteConfig::GetLedBrightness(tLEDType led, IMouseProfile* profile) const
{
    return Answer(Target(profile), 0, &IMouseProfile::GetLedBrightness, led);
}
