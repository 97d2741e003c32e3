// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TovikEliteConfig.h"

#include "platform/com/HResult.h"
#include "platform/core/TextCase.h"
#include "settings/DefaultButtonAssignments.h"
#include "settings/Generation.h"

#include <algorithm>

namespace {

constexpr std::array<tMouseButton, 9> kDefaultButtonOrder = {
    MOUSE_BUTTON_LEFT, MOUSE_BUTTON_RIGHT, MOUSE_BUTTON_WHEEL,    MOUSE_BUTTON_5,          MOUSE_BUTTON_4,
    MOUSE_BUTTON_10,   MOUSE_BUTTON_11,    MOUSE_BUTTON_WHEEL_UP, MOUSE_BUTTON_WHEEL_DOWN,
};

struct GenerationDefaults {
    unsigned sensitivityMax;
    int selectedStage;
    std::array<unsigned, 5> stages;
};

constexpr GenerationDefaults kCurrentGeneration = {6400, 2, {800, 1800, 4000, 5600, 6400}};
constexpr GenerationDefaults kEarlierGeneration = {5600, 3, {800, 1200, 1800, 4000, 5600}};

} // namespace

CTovikEliteConfig::CTovikEliteConfig()
{
    registry_.Register(CategoryId::AuxiliaryAssignments, &auxiliaryAssignments_);
    registry_.Register(CategoryId::ReducedBrightness, &reducedBrightnessCategory_);
    registry_.Register(CategoryId::Macros, &macroCategories_);
    registry_.Register(CategoryId::Apps, &appCategories_);
    registry_.Register(CategoryId::AccelerationLevel, &accelerationLevel_);
    registry_.Register(CategoryId::AccelerationOn, &accelerationOn_);
    registry_.Register(CategoryId::PollingRate, &pollingRate_);
    registry_.Register(CategoryId::BatteryWarningLevel, &batteryWarningLevel_);
    registry_.Register(CategoryId::IdleTimeBeforeSleep, &idleTimeCategory_);
    registry_.Register(CategoryId::ActiveProfile, &activeProfile_);
    registry_.Register(CategoryId::LiftOffRange, &liftOffRange_);
    registry_.Register(CategoryId::AutomaticLiftOff, &automaticLiftOff_);
    registry_.Register(CategoryId::SurfaceCalibration, &surfaceCalibration_);
}

CTovikEliteConfig::~CTovikEliteConfig()
{
    // Categories point at the macros and entries; drop them first.
    macroCategories_.Clear();
    appCategories_.Clear();
}

void CTovikEliteConfig::ResetToDefaults(IMouseProfile* profile)
{
    if (profile != nullptr) {
        const GenerationDefaults& defaults = IsCurrentGeneration() ? kCurrentGeneration : kEarlierGeneration;
        for (tMouseButton button : kDefaultButtonOrder)
            profile->SetButtonAssignment(button, GetDefaultButtonAssignment(button));
        profile->SetSensitivityRange(100, defaults.sensitivityMax, 100);
        profile->SelectStage(defaults.selectedStage);
        profile->SetCurrentDpi(1800);
        profile->SetSecondDpi(1800);
        for (unsigned stage = 1; stage <= defaults.stages.size(); ++stage) {
            profile->SetStageDpi(stage, defaults.stages[stage - 1]);
            profile->SetStageSeparate(stage, false);
        }
        profile->SetStagesInUse(5);
        profile->SetCurrentSeparate(false);
        profile->SetSecondSeparate(false);
        profile->SetLedState(LED_SCROLL_WHEEL, true);
        profile->SetLedState(LED_BATTERY_INDICATOR, true);
        profile->SetLedState(LED_CHARGING_DOCK, true);
        profile->SetDpiOsd(true);
        if (profiles_.current != nullptr)
            SetProfileOsdForAll(profiles_.current->GetProfileOsd());
        profile->SetLedColour(LED_SCROLL_WHEEL, 0xFF0000);
        profile->SetLedBrightness(LED_SCROLL_WHEEL, 100);
        profile->SetLedEffect(LED_SCROLL_WHEEL, LED_EFFECT_FIXED_COLOUR);
        SetValue30Range(0, 100);
        SetLiftOffRange(20);
        SetAutomaticLiftOff(true);
    } else {
        SetProfileOsdForAll(true);
    }
    SetPollingRate(POLLING_RATE_1);
    SetAccelerationLevel(5);
    SetAccelerationOn(false);
    SetReducedBrightness(158);
    SetIdleTimeBeforeSleep(60);
    SetBatteryWarningLevel(5);
}

// --- profiles ----------------------------------------------------------------------

void CTovikEliteConfig::SetCurrent(CTovikEliteProfile* profile)
{
    profiles_.current = profile;
    activeProfile_.SetEdited(profile);
}

void CTovikEliteConfig::DeleteAllProfiles()
{
    // The current pointer must not outlive the profile it points at.
    SetCurrent(nullptr);
    profiles_.Clear();
    deletedProfiles_.clear();
}

namespace {

void RememberDeletion(std::vector<GUID>& deleted, const GUID& id)
{
    if (!id.IsNull() && std::find(deleted.begin(), deleted.end(), id) == deleted.end())
        deleted.push_back(id);
}

void Forget(std::vector<GUID>& deleted, const GUID& id)
{
    deleted.erase(std::remove(deleted.begin(), deleted.end(), id), deleted.end());
}

} // namespace

void CTovikEliteConfig::ForgetDeletedProfile(const GUID& id)
{
    Forget(deletedProfiles_, id);
}

void CTovikEliteConfig::ForgetDeletedMacro(const GUID& id)
{
    Forget(deletedMacros_, id);
}

void CTovikEliteConfig::RememberDeletedMacro(const GUID& id)
{
    RememberDeletion(deletedMacros_, id);
}

IMouseProfile* CTovikEliteConfig::CreateProfile(std::u16string_view name)
{
    CTovikEliteProfile* profile = profiles_.Append(std::make_unique<CTovikEliteProfile>(name));
    profile->SetStageCount(5);
    ResetToDefaults(profile);
    return profile;
}

IMouseProfile* CTovikEliteConfig::AppendProfile(std::u16string_view name)
{
    return profiles_.Append(std::make_unique<CTovikEliteProfile>(name));
}

IMouseProfile* CTovikEliteConfig::AddCopyOfProfile(IMouseProfile* profile)
{
    const auto* source = dynamic_cast<const CTovikEliteProfile*>(profile);
    if (source == nullptr)
        return nullptr;
    return profiles_.Append(std::make_unique<CTovikEliteProfile>(*source));
}

IMouseProfile* CTovikEliteConfig::FindProfileByGuid(const GUID& guid) const
{
    for (const auto& profile : profiles_) {
        if (profile->GetGuid() == guid)
            return profile.get();
    }
    return nullptr;
}

IMouseProfile* CTovikEliteConfig::FindProfileByName(std::u16string_view name) const
{
    for (const auto& profile : profiles_) {
        if (EqualsIgnoringCase(profile->GetName(), name))
            return profile.get();
    }
    return nullptr;
}

IMouseProfile* CTovikEliteConfig::RenameProfile(IMouseProfile* profile, const char16_t* name)
{
    if (name == nullptr)
        throw ComError(E_FAIL, "RenameProfile: no name");
    CTovikEliteProfile* old = profiles_.Owned(Target(profile));
    if (old == nullptr)
        return nullptr;
    std::u16string_view newName(name);
    if (old->GetName() == newName)
        return nullptr;

    // The renamed profile is a new object (so that everything it holds is sent
    // to the device again); it takes the old one's place in the list.
    old->SetName(newName);
    auto renamed = std::make_unique<CTovikEliteProfile>(*old);
    CTovikEliteProfile* result = renamed.get();
    std::unique_ptr<CTovikEliteProfile> replaced = profiles_.ReplaceAt(*profiles_.IndexOf(old), std::move(renamed));
    if (profiles_.current == old)
        SetCurrent(result);
    return result;
}

IMouseProfile* CTovikEliteConfig::CopyProfileAs(IMouseProfile* profile, const char16_t* name)
{
    if (name == nullptr)
        throw ComError(E_FAIL, "CopyProfileAs: no name");
    const auto* source = dynamic_cast<const CTovikEliteProfile*>(Target(profile));
    if (source == nullptr)
        return nullptr;
    std::u16string_view newName(name);
    if (source->GetName() == newName)
        return nullptr;
    auto copy = std::make_unique<CTovikEliteProfile>(*source);
    copy->SetGuid(GUID_NULL);
    copy->SetName(newName);
    return profiles_.Append(std::move(copy));
}

void CTovikEliteConfig::DeleteProfile(IMouseProfile* profile)
{
    CTovikEliteProfile* owned = profiles_.Owned(profile);
    if (owned == nullptr)
        return;
    if (profiles_.current == owned)
        SetCurrent(nullptr);
    RememberDeletion(deletedProfiles_, owned->GetGuid());
    profiles_.RemoveAt(*profiles_.IndexOf(owned));
}

void CTovikEliteConfig::SetCurrentProfile(IMouseProfile* profile)
{
    if (profile == nullptr) {
        SetCurrent(nullptr);
        return;
    }
    if (CTovikEliteProfile* owned = profiles_.Owned(profile))
        SetCurrent(owned);
}

void CTovikEliteConfig::SetProfileOsdForAll(bool on)
{
    for (const auto& profile : profiles_)
        profile->SetProfileOsd(on);
}

// --- change tracking ------------------------------------------------------------------------

bool CTovikEliteConfig::IsListElementModified(int list, size_t index) const
{
    const CCategory* element = nullptr;
    if (list == CategoryList::Macros)
        element = macroCategories_.At(index);
    else if (list == CategoryList::Apps)
        element = appCategories_.At(index);
    return element == nullptr || element->IsModified();
}

bool CTovikEliteConfig::IsAnyModified(IMouseProfile* profile) const
{
    if (profile != nullptr)
        return profile->IsAnyModified();
    if (registry_.IsAnyModified() || !deletedProfiles_.empty() || !deletedMacros_.empty())
        return true;
    for (const auto& owned : profiles_) {
        if (owned->IsAnyModified())
            return true;
    }
    return false;
}
