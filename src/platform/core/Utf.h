// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one converter between UTF-8 and UTF-16. Decoding is strict: no
// overlong forms, no encoded surrogates, nothing above U+10FFFF, no truncated or
// stray continuation bytes. Callers choose between refusing malformed text and
// replacing it with U+FFFD.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Decodes the code point that starts at text[pos] and moves `pos` past it. On
// malformed input returns nothing and moves `pos` past the longest start of a
// well-formed sequence (at least one byte), so that one U+FFFD per failure
// replaces each maximal ill-formed part, as Unicode recommends.
std::optional<char32_t> DecodeUtf8CodePoint(std::string_view text, std::size_t& pos);

// Appends a code point (at most U+10FFFF, not a surrogate) in the given encoding.
void AppendUtf16(std::u16string& out, char32_t codePoint);
void AppendUtf8(std::string& out, char32_t codePoint);

// The whole text decoded, or nothing when any part of it is malformed.
std::optional<std::u16string> DecodeUtf8(std::string_view text);

// The whole text decoded; every malformed part becomes U+FFFD. Never fails.
std::u16string Utf8ToUtf16(std::string_view text);

// The whole text encoded; an unpaired surrogate becomes U+FFFD. Never fails.
std::string Utf16ToUtf8(std::u16string_view text);
