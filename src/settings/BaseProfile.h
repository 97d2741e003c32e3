// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The part of a profile that every kind of device has: identity, name, linked
// program, key assignments and LED settings. Categories are registered under their
// identifiers in the constructor; the edited side of a category is the value.
#include "settings/CategoryContainers.h"
#include "settings/CategoryRegistry.h"
#include "settings/IMouseProfile.h"
#include "settings/LedRecord.h"

#include <map>
#include <string>

class CBaseProfile : public IMouseProfile {
public:
    explicit CBaseProfile(std::u16string_view name = {});
    // The registry points into this object, so profiles are copied only through
    // Assign (see CTovikEliteProfile's copy constructor).
    CBaseProfile(const CBaseProfile&) = delete;
    CBaseProfile& operator=(const CBaseProfile&) = delete;

    size_t GetKeyAssignmentCount() const override { return keyAssignments_.Size(); }

    std::u16string GetName() const override { return name_.Edited(); }
    GUID GetGuid() const override { return guid_.Edited(); }
    bool HasStoredFile() const override { return !storedFilePath_.empty(); }
    void SetName(std::u16string_view name) override { name_.SetEdited(name); }
    void SetGuid(const GUID& guid) override { guid_.SetEdited(guid); }
    std::u16string GetLinkedProgram() const override { return linkedProgram_.Edited(); }
    void SetLinkedProgram(std::u16string_view name) override { linkedProgram_.SetEdited(name); }
    std::u16string GetStoredFilePath() const override { return storedFilePath_; }
    std::u16string GetLinkedProgramPath() const override { return linkedProgramPath_; }
    bool SetLinkedProgramPath(std::u16string_view path) override;

    // The profile follows its linked program; the on-screen display of profile
    // changes. Both are sent with the linked program whenever the identity is
    // written, so they are not tracked on their own.
    void SetAutoSwitch(bool on) override { autoSwitch_ = on; }
    bool GetAutoSwitch() const override { return autoSwitch_; }
    void SetProfileOsd(bool on) override { profileOsd_ = on; }
    bool GetProfileOsd() const override { return profileOsd_; }

    void SetLedState(tLEDType led, bool on) override;
    bool GetLedState(tLEDType led) const override;
    void SetLedColour(tLEDType led, uint32_t colour) override;
    uint32_t GetLedColour(tLEDType led) const override;
    void SetLedEffect(tLEDType led, tLEDEffect effect) override;
    tLEDEffect GetLedEffect(tLEDType led) const override;
    void SetLedBrightness(tLEDType led, unsigned percent) override;
    unsigned GetLedBrightness(tLEDType led) const override;

    bool SetKeyAssignment(int32_t key, const AssignmentRecord& record) override;
    AssignmentRecord GetKeyAssignment(int32_t key) override;

    bool IsListElementModified(int list, int32_t index) const override;
    bool IsLedElementModified(tCategoryId map, tLEDType led) const override;
    bool IsModified(tCategoryId id) const override { return registry_.IsModified(id); }
    bool IsAnyModified() const override { return registry_.IsAnyModified(); }
    void CommitAll() override { registry_.CommitAll(); }
    void MarkAllModified() override { registry_.MarkAllModified(); }

    // Copies every setting of `other`. Copied assignments keep an unset committed
    // side so that each reports modified until the next commit.
    virtual void Assign(const CBaseProfile& other);

protected:
    // Replaces `target` by the edited values of `source`, each with an unset
    // committed side.
    template <typename Map>
    static void CopyAssignmentsAsModified(Map& target, const Map& source)
    {
        target.Clear();
        for (const auto& [key, element] : source) {
            CCatAssnmnt copy; // both sides unset
            copy.SetEdited(element.Edited());
            target.Replace(key, copy);
        }
    }

    const LedRecord* FindLed(tLEDType led) const;
    LedRecord& EnsureLed(tLEDType led);

    CCategoryRegistry registry_;
    CCatKeyAssignMap keyAssignments_;

private:
    std::map<tLEDType, LedRecord> leds_;
    CCatLedStateMap ledStates_;
    CCatLedColourMap ledColours_;
    CCatLedBrightPercentMap ledBrightness_;
    CCatLedEffectMap ledEffects_;
    CCatString name_;
    CCatString linkedProgram_;
    std::u16string linkedProgramPath_;
    std::u16string storedFilePath_;
    CCatGUID guid_;
    bool autoSwitch_ = false;
    bool profileOsd_ = true;
    // Registered so that the device layer can ask about them, but only a copy
    // changes them.
    CCatBool autoSwitchCopy_{false};
    CCatBool profileOsdCopy_{true};
};
