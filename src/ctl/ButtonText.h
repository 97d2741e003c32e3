// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A button's assignment in words, both ways: "click", "key Ctrl+Shift+A",
// "macro \"Reload\" repeat 3", "profile \"Travel\"", "sensitivity up", "off", ...
#include "settings/AssignmentRecord.h"
#include "settings/MouseTypes.h"

#include <optional>
#include <string>

class IMouseConfig;
class IMouseProfile;

std::string AssignmentWords(const AssignmentRecord& record, const IMouseConfig& config);

// The record the words stand for on `button` of `profile`; nothing, with `error`
// naming what is wrong and what is allowed, for words the button cannot take.
std::optional<AssignmentRecord> ParseAssignment(const std::string& words, IMouseConfig& config, IMouseProfile& profile,
                                                tMouseButton button, std::string& error);

// The grammar, for help texts.
extern const char* const kAssignmentGrammar;
