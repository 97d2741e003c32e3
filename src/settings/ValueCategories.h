// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Categories over the record types: assignments, sensitivity stages, and the live
// macro and application objects of the configuration.
#include "settings/AssignmentRecord.h"
#include "settings/Category.h"
#include "settings/DpiStage.h"
#include "settings/Macro.h"
#include "settings/ZmApp.h"

// Modified when the kinds differ or any payload byte differs, bytes after a name's
// terminator included: the device receives the whole record.
class CCatAssnmnt : public CCatPrimitive<AssignmentRecord> {
public:
    CCatAssnmnt() : CCatPrimitive(AssignmentRecord::Unset()) {}
    using CCatPrimitive::CCatPrimitive;
};

// Compares only the values in effect: X and Y when separate, else the single value.
class CCatDPIStage : public CCategory {
public:
    bool IsModified() const override { return pending_ || !SameEffectiveSensitivity(edited_, committed_); }
    void Commit() override
    {
        committed_ = edited_;
        pending_ = false;
    }
    void MarkModified() override { pending_ = true; }

    const DpiStage& Edited() const { return edited_; }
    const DpiStage& Committed() const { return committed_; }
    DpiStage& EditedValue() { return edited_; }
    void SetEdited(const DpiStage& value) { edited_ = value; }

private:
    DpiStage edited_{};
    DpiStage committed_{};
    bool pending_ = false;
};

// The edited value is the live macro owned by the macro list (not owned here);
// the committed value is a snapshot taken at construction and at each commit.
class CCatMacro : public CCategory {
public:
    explicit CCatMacro(const CMacro* live) : live_(live), snapshot_(*live) {}

    bool IsModified() const override { return pending_ || !SameMacroContent(snapshot_, *live_); }
    void Commit() override
    {
        snapshot_ = *live_;
        pending_ = false;
    }
    void MarkModified() override { pending_ = true; }

    const CMacro* Live() const { return live_; }
    const CMacro& Snapshot() const { return snapshot_; }

private:
    const CMacro* live_;
    CMacro snapshot_;
    bool pending_ = false;
};

// The same for an application entry; names compare with regard to case here.
class CCatZmApp : public CCategory {
public:
    explicit CCatZmApp(const CZmApp* live) : live_(live), snapshot_(*live) {}

    bool IsModified() const override { return pending_ || !(snapshot_ == *live_); }
    void Commit() override
    {
        snapshot_ = *live_;
        pending_ = false;
    }
    void MarkModified() override { pending_ = true; }

    const CZmApp* Live() const { return live_; }
    const CZmApp& Snapshot() const { return snapshot_; }

private:
    const CZmApp* live_;
    CZmApp snapshot_;
    bool pending_ = false;
};
