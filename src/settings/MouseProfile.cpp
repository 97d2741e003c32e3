// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/MouseProfile.h"

#include "settings/AllowedKinds.h"

#include <algorithm>
#include <array>
#include <span>

namespace {

using AllowedKinds::IsWheelDirection;

// Kinds that differ only in how they name their target are allowed together.
int32_t AllowedKindFamily(int32_t kind)
{
    switch (kind) {
    case AssignmentKind::ProfileByName:
        return AssignmentKind::ProfileById;
    case AssignmentKind::MacroByName:
        return AssignmentKind::MacroById;
    case AssignmentKind::LaunchProgramSecond:
        return AssignmentKind::LaunchProgram;
    default:
        return kind;
    }
}

} // namespace

CMouseProfile::CMouseProfile(std::u16string_view name) : CBaseProfile(name)
{
    registry_.Register(CategoryId::ButtonAssignments, &buttonAssignments_);
    registry_.Register(CategoryId::CurrentSensitivity, &current_);
    registry_.Register(CategoryId::SelectedStage, &selectedStage_);
    registry_.Register(CategoryId::Stages, &stages_);
    registry_.Register(CategoryId::StagesInUse, &stagesInUse_);
    registry_.Register(CategoryId::DpiOsd, &dpiOsd_);
    registry_.Register(CategoryId::KeyMapFlag, &keyMapFlag_);
}

bool CMouseProfile::SetStageCount(unsigned n)
{
    n = std::clamp(n, kMinStages, kMaxStages);
    stages_.Clear();
    for (unsigned i = 0; i < n; ++i)
        stages_.Append(CCatDPIStage{});
    // Stages in use never exceed the stages that exist.
    if (stagesInUse_.Edited() > n)
        stagesInUse_.SetEdited(n);
    SelectStage(1);
    return true;
}

void CMouseProfile::SetStagesInUse(unsigned n)
{
    stagesInUse_.SetEdited(std::min(n, GetStageCount()));
}

CCatDPIStage* CMouseProfile::StageAt(unsigned stage)
{
    return const_cast<CCatDPIStage*>(std::as_const(*this).StageAt(stage));
}

const CCatDPIStage* CMouseProfile::StageAt(unsigned stage) const
{
    size_t count = stages_.Size();
    if (count == 0)
        return nullptr;
    size_t index = stage == 0 ? 0 : std::min<size_t>(stage, count) - 1;
    return stages_.At(index);
}

unsigned CMouseProfile::ClampToRange(unsigned value) const
{
    // Written so that a range with minimum above maximum still gives one answer.
    return std::max(sensitivityMin_, std::min(value, sensitivityMax_));
}

void CMouseProfile::SetStageSeparate(unsigned stage, bool separate)
{
    if (CCatDPIStage* element = StageAt(stage))
        element->EditedValue().separate = separate;
}

bool CMouseProfile::GetStageSeparate(unsigned stage) const
{
    const CCatDPIStage* element = StageAt(stage);
    return element != nullptr && element->Edited().separate;
}

void CMouseProfile::SelectStage(int n)
{
    int count = int(stages_.Size());
    int index;
    if (n < count)
        index = std::max(n - 1, -1);
    else
        index = count > 0 ? count - 1 : 0;
    selectedStage_.SetEdited(index);
}

void CMouseProfile::SetStageDpi(unsigned stage, unsigned value)
{
    if (CCatDPIStage* element = StageAt(stage))
        element->EditedValue().dpi = ClampToRange(value);
}

unsigned CMouseProfile::GetStageDpi(unsigned stage) const
{
    const CCatDPIStage* element = StageAt(stage);
    return element ? element->Edited().dpi : 0;
}

void CMouseProfile::SetStageX(unsigned stage, unsigned value)
{
    if (CCatDPIStage* element = StageAt(stage))
        element->EditedValue().x = ClampToRange(value);
}

unsigned CMouseProfile::GetStageX(unsigned stage) const
{
    const CCatDPIStage* element = StageAt(stage);
    return element ? element->Edited().x : 0;
}

void CMouseProfile::SetStageY(unsigned stage, unsigned value)
{
    if (CCatDPIStage* element = StageAt(stage))
        element->EditedValue().y = ClampToRange(value);
}

unsigned CMouseProfile::GetStageY(unsigned stage) const
{
    const CCatDPIStage* element = StageAt(stage);
    return element ? element->Edited().y : 0;
}

void CMouseProfile::SetSensitivityRange(unsigned minimum, unsigned maximum, unsigned step)
{
    sensitivityMin_ = minimum;
    sensitivityMax_ = maximum;
    sensitivityStep_ = step;
}

bool CMouseProfile::GetSensitivityRange(unsigned& minimum, unsigned& maximum, unsigned& step) const
{
    minimum = sensitivityMin_;
    maximum = sensitivityMax_;
    step = sensitivityStep_;
    return true;
}

bool CMouseProfile::SetButtonAssignment(tMouseButton button, const AssignmentRecord& record)
{
    if (!IsKindAllowed(record.kind, button))
        return false;
    buttonAssignments_.FindOrInsert(button).SetEdited(record);
    return true;
}

AssignmentRecord CMouseProfile::GetButtonAssignment(tMouseButton button)
{
    return buttonAssignments_.FindOrInsert(button).Edited();
}

bool CMouseProfile::HasClickAssignment() const
{
    for (const auto& [button, element] : buttonAssignments_) {
        if (element.Edited().kind == AssignmentKind::Click)
            return true;
    }
    if (!GetKeyMapFlag())
        return false;
    for (const auto& [key, element] : keyAssignments_) {
        if (element.Edited().kind == AssignmentKind::Click)
            return true;
    }
    return false;
}

bool CMouseProfile::IsKindAllowed(int32_t kind, tMouseButton button) const
{
    std::span<const int32_t> allowed;
    if (IsWheelDirection(button))
        allowed = AllowedKinds::Wheel();
    else if (kind == AssignmentKind::TemporarySensitivity)
        allowed = AllowedKinds::GeneralWithTemporarySensitivity();
    else
        allowed = AllowedKinds::General();
    return std::find(allowed.begin(), allowed.end(), AllowedKindFamily(kind)) != allowed.end();
}

void CMouseProfile::GetAllowedKinds(std::vector<int32_t>& kinds, tMouseButton button) const
{
    const std::span<const int32_t> allowed =
        IsWheelDirection(button) ? AllowedKinds::Wheel() : AllowedKinds::GeneralWithTemporarySensitivity();
    kinds.assign(allowed.begin(), allowed.end());
}

bool CMouseProfile::IsButtonAssignmentModified(bool any, tMouseButton button) const
{
    if (any)
        return true;
    const CCatAssnmnt* element = buttonAssignments_.Find(button);
    return element == nullptr || element->IsModified();
}

bool CMouseProfile::IsListElementModified(int list, int32_t index) const
{
    if (list != CategoryList::Stages)
        return CBaseProfile::IsListElementModified(list, index);
    if (index < 0)
        return true;
    const CCatDPIStage* element = stages_.At(size_t(index));
    return element == nullptr || element->IsModified();
}

void CMouseProfile::Assign(const CBaseProfile& other)
{
    if (&other == this)
        return;
    CBaseProfile::Assign(other);
    const auto* source = dynamic_cast<const CMouseProfile*>(&other);
    if (source == nullptr)
        return;

    CopyAssignmentsAsModified(buttonAssignments_, source->buttonAssignments_);
    dpiOsd_.SetEdited(source->dpiOsd_.Edited());
    keyMapFlag_.SetEdited(source->keyMapFlag_.Edited());
    sensitivityMin_ = source->sensitivityMin_;
    sensitivityMax_ = source->sensitivityMax_;
    sensitivityStep_ = source->sensitivityStep_;

    if (source->stages_.Size() == 0) {
        // A profile that was never sized copies as one that was never sized.
        stages_.Clear();
    } else {
        SetStageCount(unsigned(source->stages_.Size()));
        for (size_t i = 0; i < stages_.Size(); ++i)
            stages_.At(i)->SetEdited(source->stages_.At(i)->Edited());
    }
    stagesInUse_.SetEdited(source->stagesInUse_.Edited());
    selectedStage_.SetEdited(source->selectedStage_.Edited());
    current_.SetEdited(source->current_.Edited());
    second_.SetEdited(source->second_.Edited());
}
