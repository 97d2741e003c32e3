// SPDX-License-Identifier: GPL-3.0-or-later
// Treats arbitrary bytes as a translated format and formats typical arguments with
// it against a built-in format; any crash or sanitizer report is a bug.
#include "skin/TextFormat.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::u16string format;
    for (size_t i = 0; i + 1 < size; i += 2)
        format.push_back(char16_t(data[i] | (data[i + 1] << 8)));
    FormatConversionKinds(format);
    FormatWithFallback(format, u"%s: %d.%.2d", {u"Firmware", 1, 5});
    FormatWithFallback(format, u"%.3f %s", {0.05, u"seconds"});
    FormatText(format, {u"text", 42, 1.5, 7});
    return 0;
}
