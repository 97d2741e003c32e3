// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The key set the default skin ships: one record per keyboard key of the name list,
// with its real set-1 make code sequence (E0/E1 prefixes flagged), so the binary key
// and default files are generated rather than hand-made.
#include "skin/keyboard/KeyFileFormat.h"

#include <vector>

// Every name of the list (both variants' keys once); the PROFILE entries carry no
// scan code and so stay out of the key map.
std::vector<KeyRecord> BuildStandardKeyRecords();

// Each valid key's default is its own scan code.
std::vector<KeyDefault> BuildStandardKeyDefaults(const std::vector<KeyRecord>& records);
