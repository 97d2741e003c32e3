// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Letter-case-insensitive comparison of UTF-16 texts, as language keys, language
// names and override attribute names are compared.
#include <string>
#include <string_view>

char16_t FoldLangCase(char16_t c);
std::u16string FoldLangCase(std::u16string_view text);
bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);
bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix);
