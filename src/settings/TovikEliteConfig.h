// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one configuration of the program: owns the profiles (and knows the current
// one), the macros, the application entries and the device-wide values, and
// tracks each of them as a category for the device transfer.
#include "settings/CategoryContainers.h"
#include "settings/CategoryRegistry.h"
#include "settings/IMouseConfig.h"
#include "settings/Macro.h"
#include "settings/TovikEliteProfile.h"
#include "settings/ZmApp.h"

#include <array>
#include <map>
#include <memory>
#include <vector>

// Ordered list of owned profiles with the list's own current pointer.
template <typename T>
class CProfileList {
public:
    size_t Size() const { return profiles_.size(); }
    T* At(size_t index) const { return index < profiles_.size() ? profiles_[index].get() : nullptr; }
    // The owned profile behind an interface pointer; null when it is not ours.
    T* Owned(const IMouseProfile* profile) const
    {
        for (const auto& owned : profiles_) {
            if (static_cast<const IMouseProfile*>(owned.get()) == profile)
                return owned.get();
        }
        return nullptr;
    }
    std::optional<size_t> IndexOf(const T* profile) const
    {
        for (size_t i = 0; i < profiles_.size(); ++i) {
            if (profiles_[i].get() == profile)
                return i;
        }
        return std::nullopt;
    }
    T* Append(std::unique_ptr<T> profile) { return profiles_.emplace_back(std::move(profile)).get(); }
    // Puts `replacement` where `index` was and hands back the old profile.
    std::unique_ptr<T> ReplaceAt(size_t index, std::unique_ptr<T> replacement)
    {
        std::swap(profiles_[index], replacement);
        return replacement;
    }
    std::unique_ptr<T> RemoveAt(size_t index)
    {
        std::unique_ptr<T> removed = std::move(profiles_[index]);
        profiles_.erase(profiles_.begin() + std::ptrdiff_t(index));
        return removed;
    }
    void Clear() { profiles_.clear(); }

    auto begin() const { return profiles_.begin(); }
    auto end() const { return profiles_.end(); }

    T* current = nullptr;

private:
    std::vector<std::unique_ptr<T>> profiles_;
};

using CMacroList = std::vector<std::unique_ptr<CMacro>>;
using CZmAppList = std::vector<std::unique_ptr<CZmApp>>;

// One auxiliary counter record.
struct CounterRecord {
    uint32_t first = 0;
    uint32_t second = 0;
    uint32_t third = 0;
};
using CAPMList = std::vector<CounterRecord>;

class CTovikEliteConfig : public IMouseConfig {
public:
    static constexpr size_t kMaxSupportedPollingRates = 5;
    static constexpr unsigned kMaxReducedBrightness = 255;

    CTovikEliteConfig();
    CTovikEliteConfig(const CTovikEliteConfig&) = delete;
    CTovikEliteConfig& operator=(const CTovikEliteConfig&) = delete;
    ~CTovikEliteConfig() override;

    void ResetToDefaults(IMouseProfile* profile) override;

    void DeleteAllProfiles() override;
    size_t GetProfileCount() const override { return profiles_.Size(); }
    IMouseProfile* CreateProfile(std::u16string_view name) override;
    IMouseProfile* AppendProfile(std::u16string_view name) override;
    IMouseProfile* AddCopyOfProfile(IMouseProfile* profile) override;
    IMouseProfile* GetProfile(size_t index) const override { return profiles_.At(index); }
    IMouseProfile* FindProfileByGuid(const GUID& guid) const override;
    IMouseProfile* FindProfileByName(std::u16string_view name) const override;
    IMouseProfile* RenameProfile(IMouseProfile* profile, const char16_t* name) override;
    IMouseProfile* CopyProfileAs(IMouseProfile* profile, const char16_t* name) override;
    void DeleteProfile(IMouseProfile* profile) override;
    std::vector<GUID> GetDeletedProfileIds() const override { return deletedProfiles_; }
    void ForgetDeletedProfile(const GUID& id) override;
    IMouseProfile* GetCurrentProfile() const override { return profiles_.current; }
    void SetCurrentProfile(IMouseProfile* profile) override;
    std::u16string GetProfileFileExtension() const override { return u"zmp"; }

    bool SetStageCount(unsigned n, IMouseProfile* profile = nullptr) override;
    void SetStagesInUse(unsigned n, IMouseProfile* profile = nullptr) override;
    unsigned GetStageCount(IMouseProfile* profile = nullptr) const override;
    unsigned GetStagesInUse(IMouseProfile* profile = nullptr) const override;
    size_t GetKeyAssignmentCount(IMouseProfile* profile = nullptr) const override;
    bool SetLinkedProgramPath(std::u16string_view path, IMouseProfile* profile = nullptr) override;
    std::u16string GetLinkedProgramPath(IMouseProfile* profile = nullptr) const override;
    void SetAutoSwitch(bool on, IMouseProfile* profile = nullptr) override;
    bool GetAutoSwitch(IMouseProfile* profile = nullptr) const override;
    void SetProfileOsdForAll(bool on) override;
    void SetProfileOsd(bool on, IMouseProfile* profile = nullptr) override;
    bool GetProfileOsd(IMouseProfile* profile = nullptr) const override;
    void SetDpiOsd(bool on, IMouseProfile* profile = nullptr) override;
    bool GetDpiOsd(IMouseProfile* profile = nullptr) const override;
    void SetStageSeparate(unsigned stage, bool separate, IMouseProfile* profile = nullptr) override;
    bool GetStageSeparate(unsigned stage, IMouseProfile* profile = nullptr) const override;
    void SelectStage(int n, IMouseProfile* profile = nullptr) override;
    int GetSelectedStage(IMouseProfile* profile = nullptr) const override;
    void SetStageDpi(unsigned stage, unsigned value, IMouseProfile* profile = nullptr) override;
    unsigned GetStageDpi(unsigned stage, IMouseProfile* profile = nullptr) const override;
    void SetStageX(unsigned stage, unsigned value, IMouseProfile* profile = nullptr) override;
    unsigned GetStageX(unsigned stage, IMouseProfile* profile = nullptr) const override;
    void SetStageY(unsigned stage, unsigned value, IMouseProfile* profile = nullptr) override;
    unsigned GetStageY(unsigned stage, IMouseProfile* profile = nullptr) const override;
    void SetCurrentDpi(unsigned value, IMouseProfile* profile = nullptr) override;
    unsigned GetCurrentDpi(IMouseProfile* profile = nullptr) const override;
    void SetCurrentX(unsigned value, IMouseProfile* profile = nullptr) override;
    unsigned GetCurrentX(IMouseProfile* profile = nullptr) const override;
    void SetCurrentY(unsigned value, IMouseProfile* profile = nullptr) override;
    unsigned GetCurrentY(IMouseProfile* profile = nullptr) const override;
    void SetCurrentSeparate(bool separate, IMouseProfile* profile = nullptr) override;
    bool GetCurrentSeparate(IMouseProfile* profile = nullptr) const override;
    void SetSecondDpi(unsigned value, IMouseProfile* profile = nullptr) override;
    unsigned GetSecondDpi(IMouseProfile* profile = nullptr) const override;
    void SetSecondX(unsigned value, IMouseProfile* profile = nullptr) override;
    unsigned GetSecondX(IMouseProfile* profile = nullptr) const override;
    void SetSecondY(unsigned value, IMouseProfile* profile = nullptr) override;
    unsigned GetSecondY(IMouseProfile* profile = nullptr) const override;
    void SetSecondSeparate(bool separate, IMouseProfile* profile = nullptr) override;
    bool GetSecondSeparate(IMouseProfile* profile = nullptr) const override;
    void SetSensitivityRange(unsigned minimum, unsigned maximum, unsigned step,
                             IMouseProfile* profile = nullptr) override;
    bool GetSensitivityRange(unsigned& minimum, unsigned& maximum, unsigned& step,
                             IMouseProfile* profile = nullptr) const override;
    bool SetButtonAssignment(tMouseButton button, const AssignmentRecord& record,
                             IMouseProfile* profile = nullptr) override;
    AssignmentRecord GetButtonAssignment(tMouseButton button, IMouseProfile* profile = nullptr) override;
    bool HasClickAssignment(IMouseProfile* profile = nullptr) const override;
    AssignmentRecord GetDefaultButtonAssignment(tMouseButton button) const override;
    bool SetKeyAssignment(int32_t key, const AssignmentRecord& record, IMouseProfile* profile = nullptr) override;
    AssignmentRecord GetKeyAssignment(int32_t key, IMouseProfile* profile = nullptr) override;
    AssignmentRecord GetUnsetAssignment() const override { return AssignmentRecord::Unset(); }
    void SetKeyMapFlag(bool on, IMouseProfile* profile = nullptr) override;
    bool GetKeyMapFlag(IMouseProfile* profile = nullptr) const override;
    void SetLedState(tLEDType led, bool on, IMouseProfile* profile = nullptr) override;
    bool GetLedState(tLEDType led, IMouseProfile* profile = nullptr) const override;
    void SetLedColour(tLEDType led, uint32_t colour, IMouseProfile* profile = nullptr) override;
    uint32_t GetLedColour(tLEDType led, IMouseProfile* profile = nullptr) const override;
    void SetLedEffect(tLEDType led, tLEDEffect effect, IMouseProfile* profile = nullptr) override;
    tLEDEffect GetLedEffect(tLEDType led, IMouseProfile* profile = nullptr) const override;
    void SetLedBrightness(tLEDType led, unsigned percent, IMouseProfile* profile = nullptr) override;
    unsigned GetLedBrightness(tLEDType led, IMouseProfile* profile = nullptr) const override;

    void SetValue16Range(unsigned minimum, unsigned maximum) override;
    unsigned GetAccelerationLevelMin() const override { return accelerationMin_; }
    unsigned GetAccelerationLevelMax() const override { return accelerationMax_; }
    void SetAccelerationLevel(unsigned level) override;
    unsigned GetAccelerationLevel() const override { return accelerationLevel_.Edited(); }
    void SetAccelerationOn(bool on) override { accelerationOn_.SetEdited(on); }
    bool GetAccelerationOn() const override { return accelerationOn_.Edited(); }

    void SetPollingRate(tPollingRate rate) override { pollingRate_.SetEdited(rate); }
    tPollingRate GetPollingRate() const override { return pollingRate_.Edited(); }
    void SetSupportedPollingRates(const std::vector<uint32_t>& rates) override;
    size_t GetSupportedPollingRateCount() const override { return supportedRateCount_; }
    std::optional<uint32_t> GetSupportedPollingRate(size_t index) const override;

    void SetValue30Range(unsigned minimum, unsigned maximum) override;
    unsigned GetLiftOffRangeMin() const override { return liftOffMin_; }
    unsigned GetLiftOffRangeMax() const override { return liftOffMax_; }
    void SetLiftOffRange(unsigned value) override;
    unsigned GetLiftOffRange() const override { return liftOffRange_.Edited(); }
    void SetAutomaticLiftOff(bool on) override { automaticLiftOff_.SetEdited(on); }
    bool GetAutomaticLiftOff() const override { return automaticLiftOff_.Edited(); }
    void SetSurfaceCalibration(bool on) override { surfaceCalibration_.SetEdited(on); }
    bool GetSurfaceCalibration() const override { return surfaceCalibration_.Edited(); }

    void SetBatteryRange() override;
    unsigned GetBatteryRangeMin() const override { return batteryMin_; }
    unsigned GetBatteryRangeMax() const override { return batteryMax_; }
    void SetBatteryLevel(unsigned level) override;
    unsigned GetBatteryLevel() const override { return batteryLevel_; }
    void SetChargingState(int32_t state) override { chargingState_ = state; }
    int32_t GetChargingState() const override { return chargingState_; }
    void SetBatteryWarningLevel(unsigned level) override;
    unsigned GetBatteryWarningLevel() const override { return batteryWarningLevel_.Edited(); }
    void SetIdleTimeBeforeSleep(unsigned seconds) override;
    unsigned GetIdleTimeBeforeSleep() const override { return idleTime_; }
    void SetReducedBrightness(unsigned value) override;
    unsigned GetReducedBrightness() const override { return reducedBrightness_; }

    size_t GetAuxiliaryAssignmentCount() const override { return auxiliaryAssignments_.Size(); }
    bool SetAuxiliaryAssignment(int32_t key, const AssignmentRecord& record) override;
    AssignmentRecord GetAuxiliaryAssignment(int32_t key) override;
    int32_t GetAuxiliaryAssignmentKey(size_t position) const override;

    size_t GetCounterCount() const override { return counters_.size(); }
    bool SetCounterFirst(size_t index, uint32_t first) override;
    bool SetCounterSecondThird(size_t index, uint32_t second, uint32_t third) override;
    bool GetCounterFirst(size_t index, uint32_t& first) const override;
    bool GetCounterSecondThird(size_t index, uint32_t& second, uint32_t& third) const override;
    void AddCounter(uint32_t first, uint32_t second, uint32_t third) override;
    void ClearCounters() override { counters_.clear(); }

    size_t GetMacroCount() const override { return macros_.size(); }
    CMacro* CreateMacro(std::u16string_view name) override;
    CMacro* AppendMacro(std::u16string_view name) override;
    void DeleteMacro(CMacro* macro) override;
    void DeleteAllMacros() override;
    std::vector<GUID> GetDeletedMacroIds() const override { return deletedMacros_; }
    void ForgetDeletedMacro(const GUID& id) override;
    CMacro* FindMacroByGuid(const GUID& guid) const override;
    CMacro* FindMacroByName(std::u16string_view name) const override;
    CMacro* GetMacro(size_t index) const override;

    size_t GetAppCount() const override { return apps_.size(); }
    CZmApp* CreateApp(std::u16string_view name) override;
    void DeleteApp(CZmApp* app) override;
    CZmApp* FindAppByGuid(const GUID& guid) const override;
    CZmApp* FindAppByName(std::u16string_view name) const override;
    CZmApp* GetApp(size_t index) const override;

    bool IsListElementModified(int list, size_t index) const override;
    bool IsModified(tCategoryId id) const override { return registry_.IsModified(id); }
    bool IsAnyModified(IMouseProfile* profile = nullptr) const override;
    void CommitAll() override { registry_.CommitAll(); }

private:
    // The profile a per-profile operation acts on: the given one, else the current.
    IMouseProfile* Target(IMouseProfile* profile) const { return profile ? profile : profiles_.current; }
    void SetCurrent(CTovikEliteProfile* profile);
    void RememberDeletedMacro(const GUID& id);

    CProfileList<CTovikEliteProfile> profiles_;
    CCatPtr<CTovikEliteProfile> activeProfile_;

    CMacroList macros_;
    CCatMacroList macroCategories_;
    std::vector<GUID> deletedProfiles_;
    std::vector<GUID> deletedMacros_;
    CZmAppList apps_;
    CCatZmAppList appCategories_;

    CCatLedAssignMap auxiliaryAssignments_;
    CAPMList counters_;

    int32_t chargingState_ = -1;
    unsigned batteryMin_ = 0;
    unsigned batteryMax_ = 1;
    unsigned batteryLevel_ = 0;
    CCatUInt batteryWarningLevel_{0};
    // The value on the device in power saving; the model starts at 100 while
    // the tracked value starts at 0, so an untouched value is not sent.
    unsigned reducedBrightness_ = 100;
    CCatUInt reducedBrightnessCategory_{0};
    unsigned idleTime_ = 1;
    CCatUInt idleTimeCategory_{0};

    unsigned accelerationMin_ = 0;
    unsigned accelerationMax_ = 0;
    CCatUInt accelerationLevel_{0};
    CCatBool accelerationOn_{false};

    CCatPollingRate pollingRate_{POLLING_RATE_UNKNOWN};
    size_t supportedRateCount_ = 0;
    std::map<size_t, uint32_t> supportedRates_;

    unsigned liftOffMin_ = 0;
    unsigned liftOffMax_ = 100;
    CCatUInt liftOffRange_{0};
    CCatBool automaticLiftOff_{false};
    CCatBool surfaceCalibration_{false};

    CCategoryRegistry registry_;
};
