// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The detail a button menu shows next to the entry of the button's current
// assignment: the key with its modifiers, the macro's or profile's name, or the
// temporary sensitivity.
#include "settings/AssignmentRecord.h"

#include <cstdint>
#include <string>

class IMouseConfig;

// The entry of a button menu that stands for a record's kind: a switch by name is
// shown on the entry of the switch by identity (23 on 22, 7 on 6).
int32_t MenuKindOfAssignment(int32_t kind);

// The held modifiers of a single-key record's flag byte ("Shift", "Ctrl", "Alt",
// in that order) joined with "+", then "+" and the key's name when a key is set
// (the lowest flag bit marks an extended key).
std::u16string SingleKeyDetail(const AssignmentRecord& record);

// The detail for the record; empty for kinds without one, and for a macro or a
// profile the record names that the configuration no longer holds.
std::u16string AssignmentDetail(const AssignmentRecord& record, const IMouseConfig& config);
