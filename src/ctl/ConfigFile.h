// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The whole configuration as a JSON document (what `dump` writes, `show --json`
// prints and `apply` reads), and the plan that makes a configuration match one.
#include "emulator/Json.h"

#include <string>
#include <vector>

class IMouseConfig;
class IMouseProfile;

inline constexpr const char* kDumpFormat = "zemko-tovik-ctl-configuration";
inline constexpr int kDumpVersion = 1;

// The document of a configuration: format, version, product, active profile,
// device-wide settings, profiles with their settings, macros with their events.
emulator::JsonValue ConfigurationDocument(IMouseConfig& config, uint32_t productId);

// Makes `config` match `document`, changing only what differs; `changes` gets one
// line per difference. False, with `error` set, when the document is not a valid
// configuration for this product; `config` may be partly changed then and must
// not be written.
bool ApplyDocument(IMouseConfig& config, uint32_t productId, const emulator::JsonValue& document,
                   std::vector<std::string>& changes, std::string& error);
