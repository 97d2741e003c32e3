// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/WideText.h"

char16_t FoldCase(char16_t c)
{
    if (c >= u'A' && c <= u'Z')
        return char16_t(c + 0x20);
    if (c < 0xC0)
        return c;
    // Latin-1 capitals, except the multiplication sign.
    if (c <= 0xDE)
        return c == 0xD7 ? c : char16_t(c + 0x20);
    // Latin Extended-A alternates capital/small, except for the few letters that
    // pair the other way round (U+0139..U+0148, U+0179..U+017E) and the dotless i.
    if (c >= 0x100 && c <= 0x17F) {
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
            return (c & 1) ? char16_t(c + 1) : c;
        if (c == 0x178)
            return char16_t(0xFF);
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F)
            return c;
        return (c & 1) ? c : char16_t(c + 1);
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
        return char16_t(c + 0x20);
    if (c >= 0x400 && c <= 0x40F)
        return char16_t(c + 0x50);
    if (c >= 0x410 && c <= 0x42F)
        return char16_t(c + 0x20);
    return c;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    }
    return true;
}
