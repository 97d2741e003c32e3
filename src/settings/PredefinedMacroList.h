// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CPredefinedMacroList`: the ready-made commands the macro page inserts into a
// macro, each a named keystroke sequence (modifiers pressed, the key pressed and
// released, the modifiers released in reverse order). Built once; never changes.
#include "settings/Macro.h"

#include <string>
#include <string_view>
#include <vector>

struct PredefinedMacro {
    std::u16string name; // a "$" text key, shown translated
    std::vector<MacroEvent> events;
};

class CPredefinedMacroList {
public:
    // The list the program uses.
    static const CPredefinedMacroList& Instance();

    // Everyday editing commands (copy, paste, undo...).
    const std::vector<PredefinedMacro>& Basic() const { return basic_; }
    // Window and desktop commands (switch windows, tabs, zoom...).
    const std::vector<PredefinedMacro>& Additional() const { return additional_; }
    // The command of that name in either list; null when there is none.
    const PredefinedMacro* Find(std::u16string_view name) const;

private:
    CPredefinedMacroList();
    std::vector<PredefinedMacro> basic_;
    std::vector<PredefinedMacro> additional_;
};
