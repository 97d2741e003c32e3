// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/MouseSupport.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

std::u16string FormatDeviceVersion(uint32_t major, uint32_t minor)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d.%02d", static_cast<int>(major), static_cast<int>(minor));
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

bool EncodeProgramPath(std::u16string_view path, uint8_t (&buffer)[kProgramPathBytes])
{
    std::fill(std::begin(buffer), std::end(buffer), uint8_t(0));
    if (path.size() > kProgramPathBytes / 2 - 1)
        return false;
    for (size_t i = 0; i < path.size(); ++i) {
        buffer[2 * i] = static_cast<uint8_t>(path[i]);
        buffer[2 * i + 1] = static_cast<uint8_t>(path[i] >> 8);
    }
    return true;
}

std::u16string DecodeProgramPath(const uint8_t* buffer, uint32_t size)
{
    std::u16string path;
    for (uint32_t i = 0; i + 1 < size; i += 2) {
        const char16_t unit = static_cast<char16_t>(buffer[i] | buffer[i + 1] << 8);
        if (unit == 0)
            break;
        path.push_back(unit);
    }
    return path;
}
