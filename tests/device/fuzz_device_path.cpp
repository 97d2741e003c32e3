// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: device paths come from the notification service and from
// other processes; the id readers must take any text and only ever answer ids
// that fit in four hexadecimal digits.
#include "device/DevicePath.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::u16string path;
    for (size_t i = 0; i + 1 < size; i += 2)
        path.push_back(char16_t(data[i] | (data[i + 1] << 8)));
    if (VendorIdFromPath(path) > 0xFFFF || ProductIdFromPath(path) > 0xFFFF)
        std::abort();
    return 0;
}
