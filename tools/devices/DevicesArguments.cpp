// SPDX-License-Identifier: GPL-3.0-or-later
#include "DevicesArguments.h"

#include <charconv>

namespace {

DevicesArguments Wrong(std::string message)
{
    return {std::nullopt, std::move(message)};
}

DevicesArguments Command(DevicesCommand command)
{
    return {std::move(command), {}};
}

DevicesArguments Command(DevicesAction action)
{
    DevicesCommand command;
    command.action = action;
    return Command(std::move(command));
}

bool ParseNumber(std::string_view text, uint32_t maximum, uint32_t& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value <= maximum;
}

bool ParseCharging(std::string_view text, uint32_t& state)
{
    if (text == "none" || text == "0")
        state = 0;
    else if (text == "charging" || text == "1")
        state = 1;
    else if (text == "full" || text == "2")
        state = 2;
    else
        return false;
    return true;
}

std::optional<DevicesAction> ProductAction(std::string_view command)
{
    if (command == "plug")
        return DevicesAction::Plug;
    if (command == "unplug")
        return DevicesAction::Unplug;
    if (command == "show")
        return DevicesAction::Show;
    if (command == "set-battery")
        return DevicesAction::SetBattery;
    if (command == "reset")
        return DevicesAction::Reset;
    return std::nullopt;
}

} // namespace

DevicesArguments ParseDevicesArguments(std::vector<std::string_view> args)
{
    // --help and --version win wherever they stand, before anything is checked.
    for (const std::string_view arg : args) {
        if (arg == "--help" || arg == "-h")
            return Command(DevicesAction::Help);
    }
    for (const std::string_view arg : args) {
        if (arg == "--version" || arg == "-v")
            return Command(DevicesAction::Version);
    }
    DevicesCommand result;
    // --dir may stand anywhere on the line.
    for (size_t i = 0; i < args.size();) {
        if (args[i] == "--dir") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                return Wrong("--dir needs a directory");
            result.directory = std::filesystem::path(std::string(args[i + 1]));
            args.erase(args.begin() + std::ptrdiff_t(i), args.begin() + std::ptrdiff_t(i) + 2);
        } else if (args[i].starts_with("--dir=")) {
            result.directory = std::filesystem::path(std::string(args[i].substr(6)));
            if (result.directory.empty())
                return Wrong("--dir needs a directory");
            args.erase(args.begin() + std::ptrdiff_t(i));
        } else if (args[i].starts_with("--")) {
            return Wrong("unknown option \"" + std::string(args[i]) + "\"");
        } else {
            ++i;
        }
    }
    if (args.empty())
        return Wrong("no command given");

    const std::string_view command = args[0];
    const size_t given = args.size() - 1;
    if (command == "list") {
        if (given != 0)
            return Wrong("list takes no arguments");
        result.action = DevicesAction::List;
        return Command(std::move(result));
    }
    const std::optional<DevicesAction> action = ProductAction(command);
    if (!action)
        return Wrong("unknown command \"" + std::string(command) + "\"");
    result.action = *action;
    if (given < 1)
        return Wrong(std::string(command) + " needs a product");
    result.product = emulator::ParseProduct(args[1]);
    if (!result.product)
        return Wrong("unknown product \"" + std::string(args[1]) + "\"");

    if (result.action != DevicesAction::SetBattery) {
        if (given != 1)
            return Wrong(std::string(command) + " takes exactly one product");
        return Command(std::move(result));
    }
    if (given < 2 || given > 3)
        return Wrong("set-battery takes a product, a level and optionally a charging state");
    if (!ParseNumber(args[2], 255, result.level))
        return Wrong("battery level must be a number from 0 to 255, not \"" + std::string(args[2]) + "\"");
    if (given == 3) {
        uint32_t state = 0;
        if (!ParseCharging(args[3], state))
            return Wrong("charging state must be none, charging or full, not \"" + std::string(args[3]) + "\"");
        result.charging = state;
    }
    return Command(std::move(result));
}
