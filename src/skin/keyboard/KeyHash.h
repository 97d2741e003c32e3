// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stable identity of a keyboard key: a hash of its name. Key records, on-screen
// key buttons, the default file and stored assignments all refer to keys by it.
#include <cstdint>
#include <string_view>

constexpr uint32_t HashKeyName(std::u16string_view name)
{
    uint32_t hash = 5381;
    for (char16_t unit : name)
        hash = hash * 33u + static_cast<uint32_t>(unit);
    return hash;
}
