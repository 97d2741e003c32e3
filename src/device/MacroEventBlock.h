// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The macro event block the device stores: count x 8 + 16 bytes, a zero word, the
// event count, one 8-byte device event per macro event, and 8 zero bytes.
#include "settings/Macro.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

std::vector<uint8_t> BuildMacroEventBlock(const std::vector<MacroEvent>& events);

// Nothing when the block is malformed (size not matching its count, unknown event type).
std::optional<std::vector<MacroEvent>> ParseMacroEventBlock(std::span<const uint8_t> block);
