// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The constant key-name list in USB keyboard usage order. These are the names key
// records carry, so the hash of a name in this list is that key's identity.
#include <span>
#include <string_view>

enum class KeyNameVariant {
    Standard,  // F1 to F12
    WithF23F24 // "F23" and "F24" follow "F12"
};

constexpr size_t PROFILE_KEY_NAME_COUNT = 20;

// "PROFILE01" to "PROFILE20", then the keyboard keys from "a A" to "Right GUI".
std::span<const std::u16string_view> KeyNameList(KeyNameVariant variant);

// The keyboard part alone ("a A" to "Right GUI").
std::span<const std::u16string_view> KeyboardKeyNames(KeyNameVariant variant);
