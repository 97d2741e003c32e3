// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A 128-bit globally unique identifier in the layout of the original platform
// (Data1..Data4), with the "{8-4-4-4-12}" text form used for class and interface
// ids, profile and macro identities.
#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct GUID {
    uint32_t Data1 = 0;
    uint16_t Data2 = 0;
    uint16_t Data3 = 0;
    std::array<uint8_t, 8> Data4{};

    friend bool operator==(const GUID&, const GUID&) = default;
    friend auto operator<=>(const GUID&, const GUID&) = default;

    bool IsNull() const { return *this == GUID{}; }

    // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper-case hexadecimal.
    std::string ToString() const;
    std::u16string ToU16String() const;

    // Accepts the braced form (upper or lower case); anything else is rejected.
    static std::optional<GUID> Parse(std::string_view text);
    static std::optional<GUID> Parse(std::u16string_view text);

    // A random (version 4) identifier.
    static GUID Generate();

    // The 16 bytes as stored on the original platform (Data1..Data3 little-endian).
    std::array<uint8_t, 16> ToBytes() const;
    static GUID FromBytes(const uint8_t* bytes);
};

using IID = GUID;
using CLSID = GUID;

constexpr GUID MakeGuid(uint32_t d1, uint16_t d2, uint16_t d3, std::array<uint8_t, 8> d4)
{
    GUID g;
    g.Data1 = d1;
    g.Data2 = d2;
    g.Data3 = d3;
    g.Data4 = d4;
    return g;
}

constexpr GUID GUID_NULL{};
