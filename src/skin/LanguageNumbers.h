// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names that the registry value `Language` may hold, and the language ids
// (the ids of the `LANGUAGE_*` skin items) they select.
#include <string_view>

// The id for a language name, letter case ignored; -1 for a name not in the table.
int LanguageNumberFromName(std::u16string_view name);

// The registry name of a language id, or an empty view for an id without one.
std::u16string_view LanguageNameFromNumber(int languageId);
