// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A human-readable description of a device's memory, for the command-line tool.
#include "emulator/DeviceImage.h"

#include <string>

namespace emulator {

// Every name and path in it is shown through PrintableText; colours are shown as
// people pick them (#RRGGBB), macro keys by their names.
std::string DescribeImage(const DeviceImage& image);

// UTF-8 text safe to print on a terminal, one line: control characters (C0, DEL,
// C1), line and paragraph separators and the bidirectional controls that reorder
// what a reader sees become visible escapes (\x1B, \u202E); a backslash
// becomes "\\" and, with `quoted`, a double quote "\\\"", so nothing printed can
// pass for anything else. Malformed UTF-8 becomes U+FFFD.
std::string PrintableText(std::string_view utf8, bool quoted = false);
std::string PrintableText(std::u16string_view text, bool quoted = false);

} // namespace emulator
