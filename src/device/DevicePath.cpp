// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DevicePath.h"

#include <cstdio>
#include <string>

namespace {

char16_t Upper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c;
}

// The four characters after the marker, read as "%x" reads them (leading
// blanks, an optional sign and "0x" prefix, then hexadecimal digits).
uint32_t IdAfter(std::u16string_view path, std::u16string_view marker)
{
    std::u16string upper(path);
    for (char16_t& c : upper)
        c = Upper(c);
    const size_t at = upper.find(marker);
    if (at == std::u16string::npos)
        return 0;
    char digits[5] = {};
    const std::u16string_view rest = std::u16string_view(upper).substr(at + marker.size(), 4);
    for (size_t i = 0; i < rest.size(); ++i)
        digits[i] = rest[i] < 0x80 ? static_cast<char>(rest[i]) : '?';
    unsigned int value = 0;
    if (std::sscanf(digits, "%x", &value) != 1)
        return 0;
    // "%x" takes a minus sign and wraps ("-D" reads as 0xFFFFFFF3): no device
    // has such an id, so the path names none.
    return value <= 0xFFFF ? value : 0;
}

} // namespace

uint32_t VendorIdFromPath(std::u16string_view path)
{
    return IdAfter(path, u"VID_");
}

uint32_t ProductIdFromPath(std::u16string_view path)
{
    return IdAfter(path, u"PID_");
}
