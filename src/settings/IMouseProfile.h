// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One complete set of mouse settings, as the configuration, the pages and the
// device layer see it. Stage numbers are 1-based; a stage number above the stage
// count addresses the last stage, and 0 addresses the first.
//
// Every setter updates the model value and, where the setting is tracked, the
// edited side of its category, so that the device layer can ask what changed.
#include "platform/com/Guid.h"
#include "settings/AssignmentRecord.h"
#include "settings/CategoryId.h"
#include "settings/MouseTypes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class IMouseProfile {
public:
    virtual ~IMouseProfile() = default;

    // Sensitivity stages: 1..10 once set; n is clamped into that range and every
    // stage is reset to zero (clean); stage 1 becomes the selected stage.
    virtual bool SetStageCount(unsigned n) = 0;
    virtual unsigned GetStageCount() const = 0;
    virtual unsigned GetStagesInUse() const = 0;
    virtual size_t GetKeyAssignmentCount() const = 0;
    // Stored as min(n, stage count).
    virtual void SetStagesInUse(unsigned n) = 0;

    virtual std::u16string GetName() const = 0;
    virtual GUID GetGuid() const = 0;
    virtual bool HasStoredFile() const = 0;
    virtual void SetName(std::u16string_view name) = 0;
    virtual void SetGuid(const GUID& guid) = 0;
    // File name and extension of the program the profile is linked to.
    virtual std::u16string GetLinkedProgram() const = 0;
    virtual void SetLinkedProgram(std::u16string_view name) = 0;
    virtual std::u16string GetStoredFilePath() const = 0;
    virtual std::u16string GetLinkedProgramPath() const = 0;
    // The longest path the device keeps, in UTF-16 units.
    static constexpr size_t kMaxLinkedProgramPathLength = 127;
    // Also sets the linked program to the path's file name with its extension.
    // Refused (false, nothing changes) for a path the device cannot keep: longer
    // than kMaxLinkedProgramPathLength or holding a zero unit.
    virtual bool SetLinkedProgramPath(std::u16string_view path) = 0;

    virtual void SetAutoSwitch(bool on) = 0;
    virtual bool GetAutoSwitch() const = 0;
    virtual void SetDpiOsd(bool on) = 0;
    virtual bool GetDpiOsd() const = 0;
    virtual void SetProfileOsd(bool on) = 0;
    virtual bool GetProfileOsd() const = 0;

    virtual void SetStageSeparate(unsigned stage, bool separate) = 0;
    virtual bool GetStageSeparate(unsigned stage) const = 0;
    // n = 0 selects no stage; n beyond the last stage selects the last one.
    virtual void SelectStage(int n) = 0;
    // 1-based; 0 when no stage is selected.
    virtual int GetSelectedStage() const = 0;
    // Stage values are clamped into the sensitivity range.
    virtual void SetStageDpi(unsigned stage, unsigned value) = 0;
    virtual unsigned GetStageDpi(unsigned stage) const = 0;
    virtual void SetStageX(unsigned stage, unsigned value) = 0;
    virtual unsigned GetStageX(unsigned stage) const = 0;
    virtual void SetStageY(unsigned stage, unsigned value) = 0;
    virtual unsigned GetStageY(unsigned stage) const = 0;

    // The current sensitivity (tracked; not clamped).
    virtual void SetCurrentDpi(unsigned value) = 0;
    virtual unsigned GetCurrentDpi() const = 0;
    virtual void SetCurrentX(unsigned value) = 0;
    virtual unsigned GetCurrentX() const = 0;
    virtual void SetCurrentY(unsigned value) = 0;
    virtual unsigned GetCurrentY() const = 0;
    virtual void SetCurrentSeparate(bool separate) = 0;
    virtual bool GetCurrentSeparate() const = 0;

    // The second sensitivity, the starting point of a temporary sensitivity switch
    // (kept with the profile, never reported as modified).
    virtual void SetSecondDpi(unsigned value) = 0;
    virtual unsigned GetSecondDpi() const = 0;
    virtual void SetSecondX(unsigned value) = 0;
    virtual unsigned GetSecondX() const = 0;
    virtual void SetSecondY(unsigned value) = 0;
    virtual unsigned GetSecondY() const = 0;
    virtual void SetSecondSeparate(bool separate) = 0;
    virtual bool GetSecondSeparate() const = 0;

    virtual void SetSensitivityRange(unsigned minimum, unsigned maximum, unsigned step) = 0;
    virtual bool GetSensitivityRange(unsigned& minimum, unsigned& maximum, unsigned& step) const = 0;

    // LEDs: an LED never set reads as off, colour 0, effect 0, brightness 0.
    virtual void SetLedState(tLEDType led, bool on) = 0;
    virtual bool GetLedState(tLEDType led) const = 0;
    virtual void SetLedColour(tLEDType led, uint32_t colour) = 0;
    virtual uint32_t GetLedColour(tLEDType led) const = 0;
    virtual void SetLedEffect(tLEDType led, tLEDEffect effect) = 0;
    virtual tLEDEffect GetLedEffect(tLEDType led) const = 0;
    // Stored as min(percent, 100).
    virtual void SetLedBrightness(tLEDType led, unsigned percent) = 0;
    virtual unsigned GetLedBrightness(tLEDType led) const = 0;

    // Stored only when IsKindAllowed(record.kind, button); returns whether it was.
    virtual bool SetButtonAssignment(tMouseButton button, const AssignmentRecord& record) = 0;
    // A button never set gets an unset (kind -1) entry, which is returned.
    virtual AssignmentRecord GetButtonAssignment(tMouseButton button) = 0;
    // True when some button (or, with the key-map flag, some key) does a click.
    virtual bool HasClickAssignment() const = 0;
    virtual bool SetKeyAssignment(int32_t key, const AssignmentRecord& record) = 0;
    virtual AssignmentRecord GetKeyAssignment(int32_t key) = 0;
    virtual void SetKeyMapFlag(bool on) = 0;
    virtual bool GetKeyMapFlag() const = 0;

    virtual bool IsKindAllowed(int32_t kind, tMouseButton button) const = 0;
    // Clears the list and fills it with the kinds offered for the button, in order.
    virtual void GetAllowedKinds(std::vector<int32_t>& kinds, tMouseButton button) const = 0;

    // Change tracking for the device layer. Anything not tracked counts as modified.
    virtual bool IsButtonAssignmentModified(bool any, tMouseButton button) const = 0;
    // List 8: stage at 0-based index; list 1: key assignment of key `index`.
    virtual bool IsListElementModified(int list, int32_t index) const = 0;
    // Map 3, 4, 5 or 6 (state, colour, brightness, effect).
    virtual bool IsLedElementModified(tCategoryId map, tLEDType led) const = 0;
    virtual bool IsModified(tCategoryId id) const = 0;
    virtual bool IsAnyModified() const = 0;
    virtual void CommitAll() = 0;
    // Everything reports modified until the next commit: for a profile the device
    // has just made with its own factory values, which the model never saw.
    virtual void MarkAllModified() = 0;

    // Twelve words the device layer keeps with a profile; copied with it. Index
    // 0..11; out-of-range reads give 0 and writes are refused.
    static constexpr size_t kDeviceWordCount = 12;
    virtual uint32_t GetDeviceWord(size_t index) const = 0;
    virtual bool SetDeviceWord(size_t index, uint32_t value) = 0;
};
