// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An application entry: a program the user can launch from a button (assignment
// kind 75 refers to it by GUID). Owned by the configuration's application list.
#include "platform/com/Guid.h"

#include <string>
#include <string_view>

class CZmApp {
public:
    explicit CZmApp(std::u16string_view name = {}) : name_(name) {}

    const std::u16string& GetName() const { return name_; }
    void SetName(std::u16string_view name) { name_ = name; }

    const GUID& GetGuid() const { return guid_; }
    void SetGuid(const GUID& guid) { guid_ = guid; }

    // Same identity and the same name, letter case included.
    friend bool operator==(const CZmApp&, const CZmApp&) = default;

private:
    std::u16string name_;
    GUID guid_{};
};
