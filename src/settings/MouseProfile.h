// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A mouse profile: button assignments, sensitivity stages, the current and second
// sensitivity, and the rules for which assignment kinds each button accepts.
#include "settings/BaseProfile.h"

class CMouseProfile : public CBaseProfile {
public:
    static constexpr unsigned kMinStages = 1;
    static constexpr unsigned kMaxStages = 10;

    explicit CMouseProfile(std::u16string_view name = {});

    bool SetStageCount(unsigned n) override;
    unsigned GetStageCount() const override { return unsigned(stages_.Size()); }
    unsigned GetStagesInUse() const override { return stagesInUse_.Edited(); }
    void SetStagesInUse(unsigned n) override;

    void SetDpiOsd(bool on) override { dpiOsd_.SetEdited(on); }
    bool GetDpiOsd() const override { return dpiOsd_.Edited(); }

    void SetStageSeparate(unsigned stage, bool separate) override;
    bool GetStageSeparate(unsigned stage) const override;
    void SelectStage(int n) override;
    int GetSelectedStage() const override { return selectedStage_.Edited() + 1; }
    void SetStageDpi(unsigned stage, unsigned value) override;
    unsigned GetStageDpi(unsigned stage) const override;
    void SetStageX(unsigned stage, unsigned value) override;
    unsigned GetStageX(unsigned stage) const override;
    void SetStageY(unsigned stage, unsigned value) override;
    unsigned GetStageY(unsigned stage) const override;

    void SetCurrentDpi(unsigned value) override { current_.EditedValue().dpi = value; }
    unsigned GetCurrentDpi() const override { return current_.Edited().dpi; }
    void SetCurrentX(unsigned value) override { current_.EditedValue().x = value; }
    unsigned GetCurrentX() const override { return current_.Edited().x; }
    void SetCurrentY(unsigned value) override { current_.EditedValue().y = value; }
    unsigned GetCurrentY() const override { return current_.Edited().y; }
    void SetCurrentSeparate(bool separate) override { current_.EditedValue().separate = separate; }
    bool GetCurrentSeparate() const override { return current_.Edited().separate; }

    void SetSecondDpi(unsigned value) override { second_.EditedValue().dpi = value; }
    unsigned GetSecondDpi() const override { return second_.Edited().dpi; }
    void SetSecondX(unsigned value) override { second_.EditedValue().x = value; }
    unsigned GetSecondX() const override { return second_.Edited().x; }
    void SetSecondY(unsigned value) override { second_.EditedValue().y = value; }
    unsigned GetSecondY() const override { return second_.Edited().y; }
    void SetSecondSeparate(bool separate) override { second_.EditedValue().separate = separate; }
    bool GetSecondSeparate() const override { return second_.Edited().separate; }

    void SetSensitivityRange(unsigned minimum, unsigned maximum, unsigned step) override;
    bool GetSensitivityRange(unsigned& minimum, unsigned& maximum, unsigned& step) const override;

    bool SetButtonAssignment(tMouseButton button, const AssignmentRecord& record) override;
    AssignmentRecord GetButtonAssignment(tMouseButton button) override;
    bool HasClickAssignment() const override;
    void SetKeyMapFlag(bool on) override { keyMapFlag_.SetEdited(on); }
    bool GetKeyMapFlag() const override { return keyMapFlag_.Edited(); }

    bool IsKindAllowed(int32_t kind, tMouseButton button) const override;
    void GetAllowedKinds(std::vector<int32_t>& kinds, tMouseButton button) const override;

    bool IsButtonAssignmentModified(bool any, tMouseButton button) const override;
    bool IsListElementModified(int list, int32_t index) const override;

    void Assign(const CBaseProfile& other) override;

private:
    // The stage a 1-based stage number addresses: numbers past the last stage
    // address the last one, 0 the first; nothing while there are no stages.
    CCatDPIStage* StageAt(unsigned stage);
    const CCatDPIStage* StageAt(unsigned stage) const;
    unsigned ClampToRange(unsigned value) const;

    CCatMouseBtnAssignMap buttonAssignments_;
    CCatBool dpiOsd_{false};
    CCatBool keyMapFlag_{true};
    unsigned sensitivityMin_ = 0;
    unsigned sensitivityMax_ = 0;
    unsigned sensitivityStep_ = 0;
    CCatDPIStagesVec stages_;
    CCatUInt stagesInUse_{0};
    CCatInt selectedStage_{-1};
    CCatDPIStage current_;
    // Not registered: its identifier would be the current sensitivity's.
    CCatDPIStage second_;
};
