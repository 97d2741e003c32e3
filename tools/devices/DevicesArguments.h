// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line of zemko-tovik-devices, read without touching anything: what to
// do, on which product, with which values, or why the line is wrong.
#include "emulator/Products.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class DevicesAction { Help, Version, List, Plug, Unplug, Show, SetBattery, Reset };

struct DevicesCommand {
    DevicesAction action = DevicesAction::Help;
    // Empty when no --dir was given: the caller picks the default directory.
    std::filesystem::path directory;
    // Set for every action that names a product.
    const emulator::ProductInfo* product = nullptr;
    uint32_t level = 0;               // set-battery: 0..255
    std::optional<uint32_t> charging; // set-battery: 0 none, 1 charging, 2 full
};

struct DevicesArguments {
    std::optional<DevicesCommand> command;
    // Why the line is wrong, when there is no command.
    std::string usageError;
};

// `args` are the arguments after the program name.
DevicesArguments ParseDevicesArguments(std::vector<std::string_view> args);
