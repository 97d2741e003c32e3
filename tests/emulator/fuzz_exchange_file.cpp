// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the profile and macro file readers must refuse or accept any
// bytes without crashing, and whatever they accept must obey the device's rules
// and survive a write-read round trip unchanged.
#include "emulator/ImageCodec.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace emulator;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    for (const ProductInfo& product : AllProducts()) {
        if (auto profile = DecodeProfileFile(text, product, error)) {
            if (!CheckProfile(product, *profile).empty())
                std::abort();
            auto again = DecodeProfileFile(EncodeProfileFile(product.productId, *profile), product, error);
            if (!again ||
                EncodeProfileFile(product.productId, *again) != EncodeProfileFile(product.productId, *profile))
                std::abort();
        }
    }
    if (auto macro = DecodeMacroFile(text, error)) {
        if (!CheckMacro(*macro).empty())
            std::abort();
        auto again = DecodeMacroFile(EncodeMacroFile(*macro), error);
        if (!again || again->events != macro->events || again->name != macro->name || again->id != macro->id)
            std::abort();
    }
    return 0;
}
