// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keys and macro events in words: "Ctrl+Shift+A", "Page Up"; macro events as
// "press A", "release Right Ctrl", "press mouse 1", "release mouse 2", "delay 50".
// Key names are the English names the window shows for a scan code.
#include "settings/AssignmentRecord.h"
#include "settings/Macro.h"

#include <optional>
#include <string>

struct KeyChoice {
    uint16_t scanCode = 0;
    uint16_t virtualKey = 0;
    bool extended = false;
};

// The key of a name as the window shows it, ignoring letter case; nothing for a
// name no key bears.
std::optional<KeyChoice> KeyByName(std::u16string_view name);

// "key Ctrl+Shift+A" as the words after "key"; the record of kind 5, or nothing
// with `error` saying why.
std::optional<AssignmentRecord> ParseSingleKey(std::u16string_view text, std::string& error);
// The words for a kind-5 record ("Ctrl+Shift+A"; "scan 0xNN" for a key without a name).
std::string SingleKeyWords(const AssignmentRecord& record);

std::string MacroEventWords(const MacroEvent& event);
// Nothing, with `error` set, for words that are no macro event.
std::optional<MacroEvent> ParseMacroEvent(std::u16string_view text, std::string& error);
