// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A category tracks one device setting twice: the value being edited and the value
// last committed (known to be on the device). The device transfer asks which
// categories are modified, sends only those, and commits them afterwards.
#include "platform/com/Guid.h"
#include "settings/MouseTypes.h"

#include <cstdint>
#include <string>
#include <string_view>

class CCategory {
public:
    CCategory() = default;
    CCategory(const CCategory&) = default;
    CCategory& operator=(const CCategory&) = default;
    virtual ~CCategory() = default;

    virtual bool IsModified() const = 0;
    virtual void Commit() = 0;
    // Modified until the next commit whatever the values: for a setting whose
    // committed side is not known to be on the device (a copy, a profile the
    // device has just made with its own factory values).
    virtual void MarkModified() = 0;
};

// A category over a plain value compared with !=.
template <typename T>
class CCatPrimitive : public CCategory {
public:
    using Value = T;

    CCatPrimitive() : edited_{}, committed_{} {}
    explicit CCatPrimitive(T initial) : edited_(initial), committed_(initial) {}

    bool IsModified() const override { return pending_ || edited_ != committed_; }
    void Commit() override
    {
        committed_ = edited_;
        pending_ = false;
    }

    const T& Edited() const { return edited_; }
    const T& Committed() const { return committed_; }
    void SetEdited(const T& value) { edited_ = value; }
    void SetCommitted(const T& value) { committed_ = value; }
    void MarkModified() override { pending_ = true; }

private:
    T edited_;
    T committed_;
    bool pending_ = false;
};

class CCatBool : public CCatPrimitive<bool> {
public:
    using CCatPrimitive::CCatPrimitive;
};

class CCatInt : public CCatPrimitive<int32_t> {
public:
    using CCatPrimitive::CCatPrimitive;
};

class CCatUInt : public CCatPrimitive<uint32_t> {
public:
    using CCatPrimitive::CCatPrimitive;
};

// A 32-bit colour word.
class CCatColour : public CCatPrimitive<uint32_t> {
public:
    using CCatPrimitive::CCatPrimitive;
};

class CCatPollingRate : public CCatPrimitive<tPollingRate> {
public:
    using CCatPrimitive::CCatPrimitive;
};

class CCatLedEffect : public CCatPrimitive<tLEDEffect> {
public:
    using CCatPrimitive::CCatPrimitive;
};

class CCatLedState : public CCatBool {
public:
    using CCatBool::CCatBool;
};

class CCatLedColour : public CCatColour {
public:
    using CCatColour::CCatColour;
};

class CCatLedBrightPercent : public CCatUInt {
public:
    using CCatUInt::CCatUInt;
};

// Tracks which object is chosen (identity), not its contents. The pointer is only
// compared, never followed, so a committed pointer to a destroyed object is harmless.
template <typename T>
class CCatPtr : public CCatPrimitive<T*> {
public:
    CCatPtr() : CCatPrimitive<T*>(nullptr) {}
};

// A wide string compared with regard to case.
class CCatString : public CCategory {
public:
    bool IsModified() const override { return pending_ || edited_ != committed_; }
    void Commit() override
    {
        committed_ = edited_;
        pending_ = false;
    }
    void MarkModified() override { pending_ = true; }

    const std::u16string& Edited() const { return edited_; }
    const std::u16string& Committed() const { return committed_; }
    void SetEdited(std::u16string_view value) { edited_ = value; }

private:
    std::u16string edited_;
    std::u16string committed_;
    bool pending_ = false;
};

class CCatGUID : public CCategory {
public:
    bool IsModified() const override { return pending_ || edited_ != committed_; }
    void Commit() override
    {
        committed_ = edited_;
        pending_ = false;
    }
    void MarkModified() override { pending_ = true; }

    const GUID& Edited() const { return edited_; }
    const GUID& Committed() const { return committed_; }
    void SetEdited(const GUID& value) { edited_ = value; }

private:
    GUID edited_{};
    GUID committed_{};
    bool pending_ = false;
};
