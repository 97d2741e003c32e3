// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/keyboard/KeyNames.h"

#include "skin/keyboard/StandardKeyTable.h"

#include <vector>

namespace {

std::vector<std::u16string_view> BuildList(bool withF23F24)
{
    static constexpr std::u16string_view profiles[PROFILE_KEY_NAME_COUNT] = {
        u"PROFILE01", u"PROFILE02", u"PROFILE03", u"PROFILE04", u"PROFILE05", u"PROFILE06", u"PROFILE07",
        u"PROFILE08", u"PROFILE09", u"PROFILE10", u"PROFILE11", u"PROFILE12", u"PROFILE13", u"PROFILE14",
        u"PROFILE15", u"PROFILE16", u"PROFILE17", u"PROFILE18", u"PROFILE19", u"PROFILE20"};
    std::vector<std::u16string_view> names(std::begin(profiles), std::end(profiles));
    for (const StandardKey& key : StandardKeyTable()) {
        if (!key.onlyWithF23F24 || withF23F24)
            names.push_back(key.name);
    }
    return names;
}

const std::vector<std::u16string_view>& List(KeyNameVariant variant)
{
    static const std::vector<std::u16string_view> standard = BuildList(false);
    static const std::vector<std::u16string_view> extended = BuildList(true);
    return variant == KeyNameVariant::Standard ? standard : extended;
}

} // namespace

std::span<const std::u16string_view> KeyNameList(KeyNameVariant variant)
{
    return List(variant);
}

std::span<const std::u16string_view> KeyboardKeyNames(KeyNameVariant variant)
{
    return KeyNameList(variant).subspan(PROFILE_KEY_NAME_COUNT);
}
