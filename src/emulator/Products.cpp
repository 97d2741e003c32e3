// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/Products.h"

#include "device/server/DeviceServerIds.h"
#include "platform/core/TextCase.h"
#include "platform/core/Utf.h"

#include <array>
#include <charconv>

namespace emulator {

namespace {

constexpr uint32_t kMouseLights[] = {1, 3};
constexpr uint32_t kDockLights[] = {1, 3, 12};

const std::array<ProductInfo, 4> kProducts = {{
    {kProductEliteMouse,
     "mouse",
     u"Zemko Tovik Elite Wireless Mouse",
     true,
     true,
     true,
     kMouseLights,
     6400,
     1,
     0,
     {1, 5, 0, 0}},
    {kProductEliteDock,
     "dock",
     u"Zemko Tovik Elite Charging Dock",
     true,
     true,
     true,
     kDockLights,
     6400,
     1,
     0,
     {1, 5, 0, 0}},
    {kProductLegacyMouse, "legacy-mouse", u"Zemko Tovik", false, false, false, kMouseLights, 5600, 2, 1, {3, 20, 0, 0}},
    {kProductLegacyDock,
     "legacy-dock",
     u"Zemko Tovik Charging Dock",
     false,
     false,
     false,
     kDockLights,
     5600,
     2,
     1,
     {3, 20, 0, 0}},
}};

} // namespace

std::span<const ProductInfo> AllProducts()
{
    return kProducts;
}

const ProductInfo* FindProduct(uint32_t productId)
{
    for (const auto& product : kProducts)
        if (product.productId == productId)
            return &product;
    return nullptr;
}

const ProductInfo* ParseProduct(std::string_view text)
{
    for (const auto& product : kProducts)
        if (EqualsIgnoringCase(Utf8ToUtf16(text), Utf8ToUtf16(product.key)))
            return &product;
    std::string_view digits = text;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
        digits.remove_prefix(2);
    if (digits.empty() || digits.size() > 8)
        return nullptr;
    uint32_t id = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id, 16);
    if (error != std::errc() || end != digits.data() + digits.size())
        return nullptr;
    return FindProduct(id);
}

} // namespace emulator
