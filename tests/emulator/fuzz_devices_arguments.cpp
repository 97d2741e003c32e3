// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the device tool's command line comes from users and scripts.
// The input is split into arguments at zero bytes. Any line either names a
// complete command with values in range or says why it is wrong.
#include "DevicesArguments.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> args;
    for (size_t start = 0; start <= text.size() && args.size() < 16;) {
        const size_t end = std::min(text.find('\0', start), text.size());
        args.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    const DevicesArguments parsed = ParseDevicesArguments(args);
    if (!parsed.command) {
        if (parsed.usageError.empty())
            std::abort();
        return 0;
    }
    const DevicesCommand& command = *parsed.command;
    const bool namesProduct = command.action != DevicesAction::Help && command.action != DevicesAction::Version &&
                              command.action != DevicesAction::List;
    if (namesProduct != (command.product != nullptr))
        std::abort();
    if (command.level > 255 || (command.charging && *command.charging > 2))
        std::abort();
    if (command.action != DevicesAction::SetBattery && (command.level != 0 || command.charging))
        std::abort();
    return 0;
}
