// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text helpers of the command-line program: names are UTF-16 inside the settings
// model and UTF-8 on the command line; names printed for people and scripts are
// quoted with control characters escaped, so no name can break a line or a field.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

std::string ToUtf8(std::u16string_view text);
// Nothing when the text is not valid UTF-8.
std::optional<std::u16string> FromUtf8(std::string_view text);

// "name" with \" \\ and control characters escaped (\n, \t, \r, \xHH, \u{HHHH}).
std::string Quoted(std::u16string_view text);
// The text with control characters escaped as in Quoted, without the quotes.
std::string Escaped(std::u16string_view text);
// Only the control characters escaped (for values that quote their own names).
std::string ControlsEscaped(std::string_view utf8);

// Splits a value into words: spaces separate words, a word in double quotes may
// hold spaces and the escapes Quoted writes. Nothing (and `error` set) for an
// unterminated quote or an unknown escape.
std::optional<std::vector<std::u16string>> SplitWords(std::string_view text, std::string& error);

// A decimal number without sign; nothing for anything else or above `maximum`.
std::optional<uint32_t> ParseNumber(std::u16string_view text, uint32_t maximum = 0xFFFFFFFFu);
std::optional<uint32_t> ParseNumber(std::string_view text, uint32_t maximum = 0xFFFFFFFFu);

// "on"/"off" (also "1"/"0", "true"/"false", "yes"/"no").
std::optional<bool> ParseSwitch(std::u16string_view text);

bool SameIgnoringCase(std::u16string_view a, std::u16string_view b);
