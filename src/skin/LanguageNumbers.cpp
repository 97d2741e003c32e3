// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/LanguageNumbers.h"

#include "platform/core/TextCase.h"

#include <array>
#include <utility>

namespace {

// Ids 10 and above follow the remaining `LANGUAGE_*` items in their order.
constexpr std::array<std::pair<std::u16string_view, int>, 15> kLanguageNumbers{{
    {u"English", 0},
    {u"ChineseSimplified", 1},
    {u"ChineseTraditional", 2},
    {u"French", 3},
    {u"FrenchCanadian", 4},
    {u"German", 5},
    {u"Korean", 6},
    {u"Russian", 7},
    {u"Japanese", 8},
    {u"Spanish", 9},
    {u"Thai", 10},
    {u"Nordic", 11},
    {u"UK", 12},
    {u"Turkish", 13},
    {u"Greek", 14},
}};

} // namespace

int LanguageNumberFromName(std::u16string_view name)
{
    for (const auto& [languageName, id] : kLanguageNumbers) {
        if (EqualsIgnoringCase(languageName, name))
            return id;
    }
    return -1;
}

std::u16string_view LanguageNameFromNumber(int languageId)
{
    for (const auto& [languageName, id] : kLanguageNumbers) {
        if (id == languageId)
            return languageName;
    }
    return {};
}
