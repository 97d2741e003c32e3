// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four emulated products and what tells them apart.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace emulator {

struct ProductInfo {
    uint32_t productId;
    std::string_view key; // command-line name: "mouse", "dock", "legacy-mouse", "legacy-dock"
    std::u16string_view displayName;
    bool currentGeneration;
    bool hasCalibration;              // surface calibration and lift-off
    bool hasPower;                    // power management values
    std::span<const uint32_t> lights; // light numbers, ascending
    uint32_t maximumSensitivity;
    uint32_t hardwareMajor, hardwareMinor;
    uint32_t firmware[4]; // factory firmware version
};

// In enumeration order: 0x0031, 0x0032, 0x0013, 0x001B.
std::span<const ProductInfo> AllProducts();
const ProductInfo* FindProduct(uint32_t productId);
// "0x0031", "31", "mouse", "legacy-dock", ... (case-insensitive names).
const ProductInfo* ParseProduct(std::string_view text);

constexpr uint32_t kMinimumSensitivity = 100;
constexpr uint32_t kSensitivityStep = 100;
constexpr uint32_t kButtonMask = 0x1E1F; // buttons 1-5, 10-13
constexpr uint32_t kButtonCount = 9;

} // namespace emulator
