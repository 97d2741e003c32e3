// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one letter-case-insensitive comparison of UTF-16 texts (names of
// profiles, macros and application entries, language keys and names, key names).
// Texts are compared code point by code point after Unicode simple case folding,
// so "Ärger" equals "äRGER", "ΣΊΣΥΦΟΣ" equals "σίσυφος" and letters outside the
// Basic Multilingual Plane fold too. A unit of an unpaired surrogate is kept as
// it is and only ever equals itself.
#include <string>
#include <string_view>

// The simple case folding of one code point (itself when it has none).
char32_t FoldCase(char32_t codePoint);

// Every code point of `text` folded; the result has as many UTF-16 units as the text.
std::u16string FoldCase(std::u16string_view text);

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);

// True when `text` begins with `prefix`, letter case ignored.
bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix);
