// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Comparisons of UTF-16 names. Names of profiles, macros and application entries
// are looked up without regard to letter case.
#include <string_view>

// Simple case folding of one UTF-16 unit: ASCII, Latin-1, Latin Extended-A, Greek
// and Cyrillic capitals become small letters; every other unit is kept.
char16_t FoldCase(char16_t unit);

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);
