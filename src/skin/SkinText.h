// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small text helpers of the skin reader. Names in skin files are compared with the
// letter case of A-Z ignored (and nothing else folded); attribute values are UTF-8
// and become UTF-16 before use.
#include <string>
#include <string_view>

#include <QString>

#include "platform/core/Utf.h" // attribute values and element text are UTF-8

std::string AsciiUpper(std::string_view text);
std::u16string AsciiUpper(std::u16string_view text);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);
bool EqualsIgnoreAsciiCase(std::u16string_view a, std::u16string_view b);

// Converts when every unit is 7-bit ASCII; false (and `out` unspecified) otherwise.
bool NarrowAscii(std::u16string_view text, std::string& out);

QString ToQString(std::u16string_view text);
std::u16string FromQString(const QString& text);

// Leading optional whitespace and sign, then leading decimal digits, as atoi reads
// them; 0 when there are none. Saturates instead of overflowing.
int ParseLeadingInt(std::string_view text);

// True when the first character is 1, t, T, y or Y.
bool ParseSkinBool(std::string_view text);
