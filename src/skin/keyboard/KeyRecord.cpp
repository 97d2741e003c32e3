// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/keyboard/KeyRecord.h"

#include "platform/core/TextCase.h"

#include <algorithm>
#include <array>
#include <string_view>

bool KeyRecord::IsValid() const
{
    static constexpr std::array<std::u16string_view, 4> placeholders = {u"DO NOT USE", u"UNASSIGNED", u"RESERVED",
                                                                        u"None"};
    for (std::u16string_view placeholder : placeholders) {
        if (EqualsIgnoringCase(name, placeholder))
            return false;
    }
    return blocks[0][0].code >= 0;
}

KeyCode DeriveScanCode(const KeyCodeBlock& block)
{
    if (block[0].flag == 0)
        return KeyCode{static_cast<uint16_t>(block[0].code), 0};
    size_t last = 0;
    while (last + 1 < block.size() && block[last + 1].code != 0 && block[last + 1].flag == 0)
        ++last;
    return KeyCode{static_cast<uint16_t>(block[last].code), block[0].flag};
}
