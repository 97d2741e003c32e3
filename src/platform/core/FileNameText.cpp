// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/FileNameText.h"

#include "platform/core/Utf.h"

namespace {

bool IsDropped(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0x2028 || c == 0x2029 || c == 0xFEFF;
}

bool IsSpace(char16_t c)
{
    return c == u' ' || c == 0x00A0 || c == 0x3000;
}

} // namespace

std::u16string SafeFileNameFrom(std::u16string_view name)
{
    std::u16string safe;
    for (char16_t c : name) {
        if (IsDropped(c))
            continue;
        safe += (c == u'/' || c == u'\\') ? u'_' : c;
    }
    size_t start = 0;
    while (start < safe.size() && (safe[start] == u'.' || IsSpace(safe[start])))
        ++start;
    safe.erase(0, start);
    while (!safe.empty() && IsSpace(safe.back()))
        safe.pop_back();
    // Whole characters only, within what a file system takes for one name.
    while (Utf16ToUtf8(safe).size() > 255) {
        safe.pop_back();
        if (!safe.empty() && safe.back() >= 0xD800 && safe.back() <= 0xDBFF)
            safe.pop_back();
    }
    return safe;
}
