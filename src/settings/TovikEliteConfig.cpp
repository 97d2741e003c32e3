#include "settings/TovikEliteConfig.h"

#include "platform/com/HResult.h"
#include "settings/DefaultButtonAssignments.h"
#include "settings/Generation.h"
#include "settings/WideText.h"

#include <algorithm>

namespace {

// Well defined even when a range arrives with its minimum above its maximum.
unsigned ClampInto(unsigned value, unsigned minimum, unsigned maximum)
{
    return std::max(minimum, std::min(value, maximum));
}

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

void CTovikEliteConfig::SetLinkedProgramPath(std::u16string_view path, IMouseProfile* profile)
{
    if (IMouseProfile* target = Target(profile))
        target->SetLinkedProgramPath(path);
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

// --- macros and application entries ---------------------------------------------------------

CMacro* CTovikEliteConfig::CreateMacro(std::u16string_view name)
{
    if (!CMacro::IsValidName(name) || FindMacroByName(name) != nullptr)
        return nullptr;
    auto macro = std::make_unique<CMacro>();
    macro->SetName(name);
    CMacro* created = macros_.emplace_back(std::move(macro)).get();
    macroCategories_.Append(CCatMacro(created));
    return created;
}

void CTovikEliteConfig::DeleteMacro(CMacro* macro)
{
    auto it = std::find_if(macros_.begin(), macros_.end(), [macro](const auto& owned) { return owned.get() == macro; });
    if (macro == nullptr || it == macros_.end())
        return;
    for (size_t i = 0; i < macroCategories_.Size(); ++i) {
        if (macroCategories_.At(i)->Live() == macro) {
            macroCategories_.RemoveAt(i);
            break;
        }
    }
    macros_.erase(it);
}

CMacro* CTovikEliteConfig::FindMacroByGuid(const GUID& guid) const
{
    for (const auto& macro : macros_) {
        if (macro->GetGuid() == guid)
            return macro.get();
    }
    return nullptr;
}

CMacro* CTovikEliteConfig::FindMacroByName(std::u16string_view name) const
{
    for (const auto& macro : macros_) {
        if (EqualsIgnoringCase(macro->GetName(), name))
            return macro.get();
    }
    return nullptr;
}

CMacro* CTovikEliteConfig::GetMacro(size_t index) const
{
    return index < macros_.size() ? macros_[index].get() : nullptr;
}

CZmApp* CTovikEliteConfig::CreateApp(std::u16string_view name)
{
    if (FindAppByName(name) != nullptr)
        return nullptr;
    CZmApp* created = apps_.emplace_back(std::make_unique<CZmApp>(name)).get();
    appCategories_.Append(CCatZmApp(created));
    return created;
}

void CTovikEliteConfig::DeleteApp(CZmApp* app)
{
    auto it = std::find_if(apps_.begin(), apps_.end(), [app](const auto& owned) { return owned.get() == app; });
    if (app == nullptr || it == apps_.end())
        return;
    for (size_t i = 0; i < appCategories_.Size(); ++i) {
        if (appCategories_.At(i)->Live() == app) {
            appCategories_.RemoveAt(i);
            break;
        }
    }
    apps_.erase(it);
}

CZmApp* CTovikEliteConfig::FindAppByGuid(const GUID& guid) const
{
    for (const auto& app : apps_) {
        if (app->GetGuid() == guid)
            return app.get();
    }
    return nullptr;
}

CZmApp* CTovikEliteConfig::FindAppByName(std::u16string_view name) const
{
    for (const auto& app : apps_) {
        if (EqualsIgnoringCase(app->GetName(), name))
            return app.get();
    }
    return nullptr;
}

CZmApp* CTovikEliteConfig::GetApp(size_t index) const
{
    return index < apps_.size() ? apps_[index].get() : nullptr;
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
    if (registry_.IsAnyModified())
        return true;
    for (const auto& owned : profiles_) {
        if (owned->IsAnyModified())
            return true;
    }
    return false;
}
