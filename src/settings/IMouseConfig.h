// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The configuration as pages and the device layer see it: the profiles and which
// one is current, the macros, the application entries and the device-wide values.
//
// Per-profile operations take a trailing profile; null means the current profile,
// and with no profile to act on a setter does nothing and a getter answers 0/false.
// Profiles, macros and application entries are owned by the configuration; the
// pointers handed out stay valid until the object is deleted (or, for a profile,
// renamed, which replaces it).
#include "platform/com/Guid.h"
#include "settings/AssignmentRecord.h"
#include "settings/CategoryId.h"
#include "settings/MouseTypes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IMouseProfile;
class CMacro;
class CZmApp;

class IMouseConfig {
public:
    virtual ~IMouseConfig() = default;

    // Factory settings for the profile (buttons, stages, LEDs, lift-off) and the
    // device-wide values; with null only the device-wide values and the profile
    // on-screen display flag of every profile.
    virtual void ResetToDefaults(IMouseProfile* profile) = 0;

    // --- profiles ---------------------------------------------------------------
    virtual void DeleteAllProfiles() = 0;
    virtual size_t GetProfileCount() const = 0;
    // A new profile with 5 stages and factory settings, appended to the list.
    virtual IMouseProfile* CreateProfile(std::u16string_view name) = 0;
    // A new, empty profile (no stages, no defaults) appended to the list, for the
    // device layer to fill from the device.
    virtual IMouseProfile* AppendProfile(std::u16string_view name) = 0;
    // A copy appended to the list; null for a null source.
    virtual IMouseProfile* AddCopyOfProfile(IMouseProfile* profile) = 0;
    virtual IMouseProfile* GetProfile(size_t index) const = 0;
    virtual IMouseProfile* FindProfileByGuid(const GUID& guid) const = 0;
    // Ignoring letter case.
    virtual IMouseProfile* FindProfileByName(std::u16string_view name) const = 0;
    // Replaces the profile by a renamed copy at the same position and returns it
    // (the old pointer is invalid afterwards); null when the name is the current
    // one or the profile is not in the list. A null name throws ComError(E_FAIL).
    virtual IMouseProfile* RenameProfile(IMouseProfile* profile, const char16_t* name) = 0;
    // A copy with the new name and a null GUID, appended; null when the name equals
    // the source's name (with regard to case). A null name throws ComError(E_FAIL).
    virtual IMouseProfile* CopyProfileAs(IMouseProfile* profile, const char16_t* name) = 0;
    // Ignores null and profiles not in the list. A profile that has a device
    // identity is remembered as deleted until a write deletes it on the device.
    virtual void DeleteProfile(IMouseProfile* profile) = 0;
    // Device identities of profiles the user deleted that the device may still
    // hold, in the order they were deleted.
    virtual std::vector<GUID> GetDeletedProfileIds() const = 0;
    // The device no longer holds it (or never will be asked to): nothing pending.
    virtual void ForgetDeletedProfile(const GUID& id) = 0;
    virtual IMouseProfile* GetCurrentProfile() const = 0;
    // Ignored for a profile that is not in the list; null clears the choice.
    virtual void SetCurrentProfile(IMouseProfile* profile) = 0;
    // "zmp"
    virtual std::u16string GetProfileFileExtension() const = 0;

    // --- per-profile settings (forwarded) ------------------------------------------
    virtual bool SetStageCount(unsigned n, IMouseProfile* profile = nullptr) = 0;
    virtual void SetStagesInUse(unsigned n, IMouseProfile* profile = nullptr) = 0;
    virtual unsigned GetStageCount(IMouseProfile* profile = nullptr) const = 0;
    virtual unsigned GetStagesInUse(IMouseProfile* profile = nullptr) const = 0;
    virtual size_t GetKeyAssignmentCount(IMouseProfile* profile = nullptr) const = 0;
    // False (nothing changes) without a profile or for a path the device cannot keep.
    virtual bool SetLinkedProgramPath(std::u16string_view path, IMouseProfile* profile = nullptr) = 0;
    virtual std::u16string GetLinkedProgramPath(IMouseProfile* profile = nullptr) const = 0;
    virtual void SetAutoSwitch(bool on, IMouseProfile* profile = nullptr) = 0;
    virtual bool GetAutoSwitch(IMouseProfile* profile = nullptr) const = 0;
    virtual void SetProfileOsdForAll(bool on) = 0;
    virtual void SetProfileOsd(bool on, IMouseProfile* profile = nullptr) = 0;
    virtual bool GetProfileOsd(IMouseProfile* profile = nullptr) const = 0;
    virtual void SetDpiOsd(bool on, IMouseProfile* profile = nullptr) = 0;
    virtual bool GetDpiOsd(IMouseProfile* profile = nullptr) const = 0;
    virtual void SetStageSeparate(unsigned stage, bool separate, IMouseProfile* profile = nullptr) = 0;
    virtual bool GetStageSeparate(unsigned stage, IMouseProfile* profile = nullptr) const = 0;
    virtual void SelectStage(int n, IMouseProfile* profile = nullptr) = 0;
    virtual int GetSelectedStage(IMouseProfile* profile = nullptr) const = 0;
    virtual void SetStageDpi(unsigned stage, unsigned value, IMouseProfile* profile = nullptr) = 0;
    virtual unsigned GetStageDpi(unsigned stage, IMouseProfile* profile = nullptr) const = 0;
    virtual void SetStageX(unsigned stage, unsigned value, IMouseProfile* profile = nullptr) = 0;
    virtual unsigned GetStageX(unsigned stage, IMouseProfile* profile = nullptr) const = 0;
    virtual void SetStageY(unsigned stage, unsigned value, IMouseProfile* profile = nullptr) = 0;
    virtual unsigned GetStageY(unsigned stage, IMouseProfile* profile = nullptr) const = 0;
    virtual void SetCurrentDpi(unsigned value, IMouseProfile* profile = nullptr) = 0;
    virtual unsigned GetCurrentDpi(IMouseProfile* profile = nullptr) const = 0;
    virtual void SetCurrentX(unsigned value, IMouseProfile* profile = nullptr) = 0;
    virtual unsigned GetCurrentX(IMouseProfile* profile = nullptr) const = 0;
    virtual void SetCurrentY(unsigned value, IMouseProfile* profile = nullptr) = 0;
    virtual unsigned GetCurrentY(IMouseProfile* profile = nullptr) const = 0;
    virtual void SetCurrentSeparate(bool separate, IMouseProfile* profile = nullptr) = 0;
    virtual bool GetCurrentSeparate(IMouseProfile* profile = nullptr) const = 0;
    virtual void SetSecondDpi(unsigned value, IMouseProfile* profile = nullptr) = 0;
    virtual unsigned GetSecondDpi(IMouseProfile* profile = nullptr) const = 0;
    virtual void SetSecondX(unsigned value, IMouseProfile* profile = nullptr) = 0;
    virtual unsigned GetSecondX(IMouseProfile* profile = nullptr) const = 0;
    virtual void SetSecondY(unsigned value, IMouseProfile* profile = nullptr) = 0;
    virtual unsigned GetSecondY(IMouseProfile* profile = nullptr) const = 0;
    virtual void SetSecondSeparate(bool separate, IMouseProfile* profile = nullptr) = 0;
    virtual bool GetSecondSeparate(IMouseProfile* profile = nullptr) const = 0;
    virtual void SetSensitivityRange(unsigned minimum, unsigned maximum, unsigned step,
                                     IMouseProfile* profile = nullptr) = 0;
    // False, with all three set to 0, when there is no profile to ask.
    virtual bool GetSensitivityRange(unsigned& minimum, unsigned& maximum, unsigned& step,
                                     IMouseProfile* profile = nullptr) const = 0;
    virtual bool SetButtonAssignment(tMouseButton button, const AssignmentRecord& record,
                                     IMouseProfile* profile = nullptr) = 0;
    virtual AssignmentRecord GetButtonAssignment(tMouseButton button, IMouseProfile* profile = nullptr) = 0;
    virtual bool HasClickAssignment(IMouseProfile* profile = nullptr) const = 0;
    virtual AssignmentRecord GetDefaultButtonAssignment(tMouseButton button) const = 0;
    virtual bool SetKeyAssignment(int32_t key, const AssignmentRecord& record, IMouseProfile* profile = nullptr) = 0;
    virtual AssignmentRecord GetKeyAssignment(int32_t key, IMouseProfile* profile = nullptr) = 0;
    // A record of kind -1 with a zero payload.
    virtual AssignmentRecord GetUnsetAssignment() const = 0;
    virtual void SetKeyMapFlag(bool on, IMouseProfile* profile = nullptr) = 0;
    virtual bool GetKeyMapFlag(IMouseProfile* profile = nullptr) const = 0;
    virtual void SetLedState(tLEDType led, bool on, IMouseProfile* profile = nullptr) = 0;
    virtual bool GetLedState(tLEDType led, IMouseProfile* profile = nullptr) const = 0;
    virtual void SetLedColour(tLEDType led, uint32_t colour, IMouseProfile* profile = nullptr) = 0;
    virtual uint32_t GetLedColour(tLEDType led, IMouseProfile* profile = nullptr) const = 0;
    virtual void SetLedEffect(tLEDType led, tLEDEffect effect, IMouseProfile* profile = nullptr) = 0;
    virtual tLEDEffect GetLedEffect(tLEDType led, IMouseProfile* profile = nullptr) const = 0;
    virtual void SetLedBrightness(tLEDType led, unsigned percent, IMouseProfile* profile = nullptr) = 0;
    virtual unsigned GetLedBrightness(tLEDType led, IMouseProfile* profile = nullptr) const = 0;

    // --- device-wide values ----------------------------------------------------------
    // Acceleration level (tracked as 16), clamped into its range; on/off (17).
    virtual void SetValue16Range(unsigned minimum, unsigned maximum) = 0;
    virtual unsigned GetAccelerationLevelMin() const = 0;
    virtual unsigned GetAccelerationLevelMax() const = 0;
    virtual void SetAccelerationLevel(unsigned level) = 0;
    virtual unsigned GetAccelerationLevel() const = 0;
    virtual void SetAccelerationOn(bool on) = 0;
    virtual bool GetAccelerationOn() const = 0;

    // Polling rate index 0..2 (tracked as 18); -1 until read from the device.
    virtual void SetPollingRate(tPollingRate rate) = 0;
    virtual tPollingRate GetPollingRate() const = 0;
    // The rates the mouse supports: at most the first 5 entries are kept.
    virtual void SetSupportedPollingRates(const std::vector<uint32_t>& rates) = 0;
    virtual size_t GetSupportedPollingRateCount() const = 0;
    // Nothing for an index that was never stored.
    virtual std::optional<uint32_t> GetSupportedPollingRate(size_t index) const = 0;

    // Lift-off range (tracked as 30), clamped into its range (initially 0..100);
    // automatic lift-off (31); surface calibration on (32).
    virtual void SetValue30Range(unsigned minimum, unsigned maximum) = 0;
    virtual unsigned GetLiftOffRangeMin() const = 0;
    virtual unsigned GetLiftOffRangeMax() const = 0;
    virtual void SetLiftOffRange(unsigned value) = 0;
    virtual unsigned GetLiftOffRange() const = 0;
    virtual void SetAutomaticLiftOff(bool on) = 0;
    virtual bool GetAutomaticLiftOff() const = 0;
    virtual void SetSurfaceCalibration(bool on) = 0;
    virtual bool GetSurfaceCalibration() const = 0;

    // The battery range (initially 0..1) bounds both the battery level and the
    // battery warning level; SetBatteryRange makes it 0..255.
    virtual void SetBatteryRange() = 0;
    virtual unsigned GetBatteryRangeMin() const = 0;
    virtual unsigned GetBatteryRangeMax() const = 0;
    // Battery level as last read (not tracked), clamped into the battery range.
    virtual void SetBatteryLevel(unsigned level) = 0;
    virtual unsigned GetBatteryLevel() const = 0;
    // Charging state as last read (not tracked): -1 until read.
    virtual void SetChargingState(int32_t state) = 0;
    virtual int32_t GetChargingState() const = 0;
    // Battery warning level in percent (tracked as 19), clamped into the battery range.
    virtual void SetBatteryWarningLevel(unsigned level) = 0;
    virtual unsigned GetBatteryWarningLevel() const = 0;
    // Idle time before sleep in seconds (tracked as 20).
    virtual void SetIdleTimeBeforeSleep(unsigned seconds) = 0;
    virtual unsigned GetIdleTimeBeforeSleep() const = 0;
    // Reduced LED brightness in power saving, 0..255 (tracked as 5).
    virtual void SetReducedBrightness(unsigned value) = 0;
    virtual unsigned GetReducedBrightness() const = 0;

    // Auxiliary assignments (kind 77 only, tracked as 2), by int key.
    virtual size_t GetAuxiliaryAssignmentCount() const = 0;
    // Ignored (false) unless the kind is 77; a stored entry reports modified until
    // the next commit.
    virtual bool SetAuxiliaryAssignment(int32_t key, const AssignmentRecord& record) = 0;
    virtual AssignmentRecord GetAuxiliaryAssignment(int32_t key) = 0;
    // Key of the entry at a position in key order; 0 when out of range.
    virtual int32_t GetAuxiliaryAssignmentKey(size_t position) const = 0;

    // Auxiliary counter records of three 32-bit values (not tracked).
    virtual size_t GetCounterCount() const = 0;
    virtual bool SetCounterFirst(size_t index, uint32_t first) = 0;
    virtual bool SetCounterSecondThird(size_t index, uint32_t second, uint32_t third) = 0;
    virtual bool GetCounterFirst(size_t index, uint32_t& first) const = 0;
    virtual bool GetCounterSecondThird(size_t index, uint32_t& second, uint32_t& third) const = 0;
    virtual void AddCounter(uint32_t first, uint32_t second, uint32_t third) = 0;
    virtual void ClearCounters() = 0;

    // --- macros and application entries ----------------------------------------------
    virtual size_t GetMacroCount() const = 0;
    // Null when a macro of that name exists (ignoring case) or the name is longer
    // than 255 units.
    virtual CMacro* CreateMacro(std::u16string_view name) = 0;
    // A macro as the device holds it, appended whatever its name: the device may
    // hold two whose names differ only in case, and both must survive a write.
    // Null when the name is longer than 255 units.
    virtual CMacro* AppendMacro(std::u16string_view name) = 0;
    // Ignores null and macros not in the list. A macro that has a device identity
    // is remembered as deleted until a write deletes it on the device.
    virtual void DeleteMacro(CMacro* macro) = 0;
    // Empties the macro list without remembering deletions (a read replaces it).
    virtual void DeleteAllMacros() = 0;
    // As for profiles: device identities of macros the user deleted.
    virtual std::vector<GUID> GetDeletedMacroIds() const = 0;
    virtual void ForgetDeletedMacro(const GUID& id) = 0;
    virtual CMacro* FindMacroByGuid(const GUID& guid) const = 0;
    virtual CMacro* FindMacroByName(std::u16string_view name) const = 0;
    virtual CMacro* GetMacro(size_t index) const = 0;

    virtual size_t GetAppCount() const = 0;
    virtual CZmApp* CreateApp(std::u16string_view name) = 0;
    virtual void DeleteApp(CZmApp* app) = 0;
    virtual CZmApp* FindAppByGuid(const GUID& guid) const = 0;
    virtual CZmApp* FindAppByName(std::u16string_view name) const = 0;
    virtual CZmApp* GetApp(size_t index) const = 0;

    // --- change tracking ---------------------------------------------------------------
    // List 12: macro at index; list 14: application entry at index; anything else,
    // or an index out of range, counts as modified.
    virtual bool IsListElementModified(int list, size_t index) const = 0;
    // Over the configuration's own categories; an unregistered id counts as modified.
    virtual bool IsModified(tCategoryId id) const = 0;
    // With a profile, that profile; without, the configuration's categories and then
    // every profile.
    virtual bool IsAnyModified(IMouseProfile* profile = nullptr) const = 0;
    // Commits the configuration's own categories (profiles commit separately).
    virtual void CommitAll() = 0;
};
