// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the device image reader, and the macro event block decoder
// that guards the macro interface, on arbitrary bytes.
#include "emulator/ImageCodec.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace emulator;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    if (auto image = DecodeImage(text, error)) {
        if (!CheckImage(*image).empty())
            std::abort();
        auto again = DecodeImage(EncodeImage(*image), error);
        if (!again || EncodeImage(*again) != EncodeImage(*image))
            std::abort();
    }
    std::vector<MacroEvent> events;
    if (DecodeEventBlock(data, uint32_t(size), events).empty()) {
        const auto block = EncodeEventBlock(events);
        if (block.size() != size || !std::equal(block.begin(), block.end(), data))
            std::abort();
    }
    return 0;
}
