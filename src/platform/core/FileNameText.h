// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turning a name people gave something (a macro, a profile) into a file name that
// can be offered in a save dialog without steering where the file goes.
#include <string>
#include <string_view>

// `name` as one path component: path separators ('/', '\') become '_', control
// characters (C0, DEL, C1) and the marks that reorder how text reads are dropped,
// leading dots and surrounding spaces go (no hidden file, never "." or ".."), and
// the result is at most 255 bytes in UTF-8. Empty when nothing is left.
std::u16string SafeFileNameFrom(std::u16string_view name);
