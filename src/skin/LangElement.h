// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds a language table from a `LANG` element of "Language.xml": its file, its
// `LANGFONT` font replacements and its `LANGOVERRIDE` / `LANGOVERRIDECOL` overrides.
#include "skin/LangTable.h"

#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

struct LangElementContext {
    // Item id of a skin item name (-1 when unknown).
    std::function<int(std::u16string_view itemName)> itemIdOf;
    // The whole content of a file in the language directory, or none when it cannot be read.
    std::function<std::optional<std::vector<char>>(std::u16string_view fileName)> readLangFile;
    // Only this language id loads; -1 loads every language.
    int languageFilter = -1;
};

// The table for one `LANG` element, already entered in the language registry under
// its id; null when the element is skipped (unknown name, filtered out, file missing
// or malformed). The caller owns the table (the item collection it belongs to).
std::unique_ptr<CLangTable> ReadLangElement(const pugi::xml_node& lang, const LangElementContext& context);
