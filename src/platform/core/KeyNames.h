// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// English names of keys by set-1 scan code, as shown in key fields and used to
// decide whether a recorded key can be named at all.
#include "platform/core/WinTypes.h"

#include <string>

// The extended-key bit in a key's message parameter (bit 24); the scan code sits
// in bits 16 to 23.
constexpr LPARAM KEY_EXTENDED_BIT = LPARAM(1) << 24;
constexpr LPARAM KeyNameParameter(UINT scanCode, bool extended)
{
    return (LPARAM(scanCode & 0xFF) << 16) | (extended ? KEY_EXTENDED_BIT : 0);
}

// The name of the key in `lParam` (scan code in bits 16-23, extended bit 24);
// empty when the key has no name.
std::u16string GetKeyNameText(LPARAM lParam);
std::u16string KeyNameForScanCode(UINT scanCode, bool extended);
