// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The handful of scalar types and colour helpers the window code is written in, so
// that message parameters keep the widths the rest of the program expects.
#include <cstdint>

using UINT = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using DWORD = uint32_t;
using WORD = uint16_t;
using BYTE = uint8_t;
using LONG = int32_t;
using USHORT = uint16_t;
using COLORREF = uint32_t; // 0x00BBGGRR

constexpr COLORREF RGB(uint8_t r, uint8_t g, uint8_t b)
{
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr uint8_t GetRValue(COLORREF c)
{
    return uint8_t(c & 0xFF);
}
constexpr uint8_t GetGValue(COLORREF c)
{
    return uint8_t((c >> 8) & 0xFF);
}
constexpr uint8_t GetBValue(COLORREF c)
{
    return uint8_t((c >> 16) & 0xFF);
}

// Packing of two 16-bit halves into one parameter (x in the low half, y in the high
// half of a position, for instance).
constexpr WORD LOWORD(uintptr_t v)
{
    return WORD(v & 0xFFFF);
}
constexpr WORD HIWORD(uintptr_t v)
{
    return WORD((v >> 16) & 0xFFFF);
}
constexpr LPARAM MAKELPARAM(WORD low, WORD high)
{
    return LPARAM(DWORD(low) | (DWORD(high) << 16));
}
constexpr WPARAM MAKEWPARAM(WORD low, WORD high)
{
    return WPARAM(DWORD(low) | (DWORD(high) << 16));
}

// Results of a modal run.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
