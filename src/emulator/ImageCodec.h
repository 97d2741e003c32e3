// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The server's file formats, all JSON objects that name themselves:
//   device image  {"format": "zemko-tovik-device",  "version": 2, "product": ..., ...}
//   profile file  {"format": "zemko-tovik-profile", "version": 2, "product": ..., "profile": {...}}
//   macro file    {"format": "zemko-tovik-macro",   "version": 2, "macro": {...}}
// Writers always write the current version. Readers accept exactly what the
// writers of every version produced (any field order, any white space);
// everything else is refused with a reason, and nothing is half-read.
// Version 2 added each profile's "stagesInUse" and "separateStages".
#include "emulator/DeviceImage.h"

#include <optional>
#include <string>
#include <string_view>

namespace emulator {

constexpr int kFileFormatVersion = 2;
constexpr int kOldestFileFormatVersion = 1;
// Largest file the readers look at.
constexpr size_t kMaxImageFileBytes = 32u << 20;
constexpr size_t kMaxExchangeFileBytes = 2u << 20;

std::string EncodeImage(const DeviceImage& image);
std::optional<DeviceImage> DecodeImage(std::string_view text, std::string& error);

std::string EncodeProfileFile(uint32_t productId, const ProfileImage& profile);
// Reads a profile for the `target` product: lights the target does not have are
// dropped and lights the file lacks get factory values; everything else must be
// valid on the target as it stands.
std::optional<ProfileImage> DecodeProfileFile(std::string_view text, const ProductInfo& target, std::string& error);

std::string EncodeMacroFile(const MacroImage& macro);
std::optional<MacroImage> DecodeMacroFile(std::string_view text, std::string& error);

} // namespace emulator
