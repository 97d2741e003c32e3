// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/com/Guid.h"

#include "platform/com/SystemRandom.h"

#include <cstdio>

namespace {

int HexValue(char32_t c)
{
    if (c >= '0' && c <= '9')
        return int(c - '0');
    if (c >= 'a' && c <= 'f')
        return int(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return int(c - 'A' + 10);
    return -1;
}

template <typename Char>
std::optional<GUID> ParseBraced(std::basic_string_view<Char> text)
{
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}: 38 characters.
    if (text.size() != 38 || text.front() != Char('{') || text.back() != Char('}'))
        return std::nullopt;
    uint8_t bytes[16];
    size_t byteIndex = 0;
    for (size_t i = 1; i < 37;) {
        if (i == 9 || i == 14 || i == 19 || i == 24) {
            if (text[i] != Char('-'))
                return std::nullopt;
            ++i;
            continue;
        }
        const int hi = HexValue(char32_t(text[i]));
        const int lo = HexValue(char32_t(text[i + 1]));
        if (hi < 0 || lo < 0)
            return std::nullopt;
        bytes[byteIndex++] = uint8_t(hi * 16 + lo);
        i += 2;
    }
    GUID g;
    g.Data1 = uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
    g.Data2 = uint16_t(bytes[4] << 8 | bytes[5]);
    g.Data3 = uint16_t(bytes[6] << 8 | bytes[7]);
    for (int k = 0; k < 8; ++k)
        g.Data4[k] = bytes[8 + k];
    return g;
}

} // namespace

std::string GUID::ToString() const
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", Data1, Data2, Data3,
                  Data4[0], Data4[1], Data4[2], Data4[3], Data4[4], Data4[5], Data4[6], Data4[7]);
    return buffer;
}

std::u16string GUID::ToU16String() const
{
    const std::string narrow = ToString();
    return std::u16string(narrow.begin(), narrow.end());
}

std::optional<GUID> GUID::Parse(std::string_view text)
{
    return ParseBraced(text);
}

std::optional<GUID> GUID::Parse(std::u16string_view text)
{
    return ParseBraced(text);
}

GUID GUID::Generate()
{
    // A version-4 GUID: 122 random bits from the system, so that two processes
    // started together never share a sequence.
    uint8_t bytes[16];
    FillWithSystemRandom(bytes, sizeof bytes);
    bytes[7] = uint8_t((bytes[7] & 0x0F) | 0x40);
    bytes[8] = uint8_t((bytes[8] & 0x3F) | 0x80);
    return FromBytes(bytes);
}

std::array<uint8_t, 16> GUID::ToBytes() const
{
    std::array<uint8_t, 16> out{};
    for (int k = 0; k < 4; ++k)
        out[k] = uint8_t(Data1 >> (8 * k));
    out[4] = uint8_t(Data2);
    out[5] = uint8_t(Data2 >> 8);
    out[6] = uint8_t(Data3);
    out[7] = uint8_t(Data3 >> 8);
    for (int k = 0; k < 8; ++k)
        out[8 + k] = Data4[k];
    return out;
}

GUID GUID::FromBytes(const uint8_t* bytes)
{
    GUID g;
    g.Data1 = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
    g.Data2 = uint16_t(bytes[4] | bytes[5] << 8);
    g.Data3 = uint16_t(bytes[6] | bytes[7] << 8);
    for (int k = 0; k < 8; ++k)
        g.Data4[k] = bytes[8 + k];
    return g;
}
