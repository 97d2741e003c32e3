// SPDX-License-Identifier: GPL-3.0-or-later
// zemko-tovik-devices: plugs, unplugs, inspects and adjusts the emulated devices
// of a device directory, also while the program runs.
//
// Exit codes: 0 done, 1 the operation failed, 2 the command line is wrong.
#include "DevicesArguments.h"
#include "device/FileVersions.h"
#include "emulator/DeviceDirectory.h"
#include "emulator/EmulatedDeviceServer.h"
#include "emulator/ImageReport.h"
#include "emulator/SessionLock.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

using namespace emulator;

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

void PrintUsage(FILE* to)
{
    std::fputs("usage: zemko-tovik-devices [--dir DIR] COMMAND [ARGUMENTS]\n"
               "       zemko-tovik-devices --help | --version\n"
               "commands:\n"
               "  list                                  products, attached or not\n"
               "  plug PRODUCT                          attach (a new device starts in factory state)\n"
               "  unplug PRODUCT                        detach\n"
               "  show PRODUCT                          print the device's memory\n"
               "  set-battery PRODUCT LEVEL [CHARGING]  level 0..255; charging none, charging or full (or 0, 1, 2)\n"
               "  reset PRODUCT                         factory settings (battery and firmware stay)\n"
               "PRODUCT is a product id (0x0031, 0x0032, 0x0013, 0x001B) or a name\n"
               "(mouse, dock, legacy-mouse, legacy-dock).\n"
               "The device directory is DIR, else $ZEMKO_TOVIK_DEVICE_DIR, else the user's data directory.\n"
               "exit status: 0 done, 1 the operation failed, 2 the command line is wrong.\n",
               to);
}

// The version is the one the build embedded in this executable, so it cannot
// disagree with what the configuration program shows as its driver version.
int PrintVersion()
{
    CFileVersions versions;
    versions.SetToModulePath();
    if (!versions.Read()) {
        std::fputs("zemko-tovik-devices: this executable carries no version block\n", stderr);
        return kFailed;
    }
    const std::u16string& version = versions.ProductVersion();
    std::printf("zemko-tovik-devices %s\n", std::string(version.begin(), version.end()).c_str());
    return kDone;
}

int Usage(const std::string& message)
{
    std::fprintf(stderr, "zemko-tovik-devices: %s\n", message.c_str());
    PrintUsage(stderr);
    return kUsage;
}

// Messages may quote what a device file or directory name holds: printed escaped.
int Failure(const std::string& message)
{
    std::fprintf(stderr, "zemko-tovik-devices: %s\n", PrintableText(message).c_str());
    return kFailed;
}

const char* ProductIdText(uint32_t productId)
{
    static char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04X", productId);
    return buffer;
}

int List(const DeviceDirectory& devices)
{
    for (const ProductInfo& product : AllProducts()) {
        const bool attached = devices.AttachToken(product.productId).has_value();
        std::printf("%s  %-13s %-9s %s\n", ProductIdText(product.productId), std::string(product.key).c_str(),
                    attached                              ? "attached"
                    : devices.HasImage(product.productId) ? "detached"
                                                          : "new",
                    std::string(product.displayName.begin(), product.displayName.end()).c_str());
    }
    return kDone;
}

int Show(const DeviceDirectory& devices, const ProductInfo& product)
{
    if (!devices.HasImage(product.productId))
        return Failure(std::string(product.key) + " has never been plugged in: no memory to show");
    std::string error;
    std::optional<DeviceImage> image;
    {
        DeviceLock lock(devices, product.productId, BusyWaitFromEnvironment(), DeviceLock::Purpose::Read);
        if (!lock.ok())
            return Failure(lock.error());
        image = devices.LoadImage(product.productId, error);
    }
    if (!image)
        return Failure("the device's memory cannot be read: " + error);
    std::printf("%s", DescribeImage(*image).c_str());
    std::printf("  %s\n", devices.AttachToken(product.productId) ? "attached" : "detached");
    return kDone;
}

int SetBattery(const DeviceDirectory& devices, const ProductInfo& product, uint32_t level,
               std::optional<uint32_t> charging)
{
    DeviceLock lock(devices, product.productId, BusyWaitFromEnvironment());
    if (!lock.ok())
        return Failure(lock.error());
    std::string error;
    std::optional<DeviceImage> image = devices.HasImage(product.productId) ? devices.LoadImage(product.productId, error)
                                                                           : std::optional(FactoryImage(product));
    if (!image)
        return Failure("the device's memory cannot be read: " + error);
    image->batteryLevel = level;
    if (charging)
        image->chargingState = *charging;
    if (!devices.SaveImage(*image, error))
        return Failure(error);
    return kDone;
}

int Reset(const DeviceDirectory& devices, const ProductInfo& product)
{
    // A reset is a change like any program's: it waits for a write in progress to
    // end rather than landing between its calls.
    SessionLock session(devices.SessionPath(product.productId), SessionLock::Mode::Shared, BusyWaitFromEnvironment());
    if (session.outcome() == SessionLock::Outcome::Busy)
        return Failure("the device is busy: a program is writing to it; try again when it has finished");
    if (!session.held()) {
        const std::string why = devices.WhyNotWritable();
        return Failure(why.empty() ? "cannot open " + devices.SessionPath(product.productId).string() : why);
    }
    DeviceLock lock(devices, product.productId, BusyWaitFromEnvironment());
    if (!lock.ok())
        return Failure(lock.error());
    std::string error;
    std::optional<DeviceImage> image;
    if (devices.HasImage(product.productId)) {
        image = devices.LoadImage(product.productId, error);
        if (!image)
            std::fprintf(stderr, "zemko-tovik-devices: the old memory was damaged (%s); writing a new one\n",
                         PrintableText(error).c_str());
    }
    if (image)
        RestoreFactorySettings(*image);
    else
        image = FactoryImage(product);
    if (!devices.SaveImage(*image, error))
        return Failure(error);
    return kDone;
}

} // namespace

int main(int argc, char** argv)
{
    const DevicesArguments parsed = ParseDevicesArguments(std::vector<std::string_view>(argv + 1, argv + argc));
    if (!parsed.command)
        return Usage(parsed.usageError);
    const DevicesCommand& command = *parsed.command;
    if (command.action == DevicesAction::Help) {
        PrintUsage(stdout);
        return kDone;
    }
    if (command.action == DevicesAction::Version)
        return PrintVersion();

    const std::filesystem::path directory = command.directory.empty() ? DefaultDeviceDirectory() : command.directory;
    if (directory.empty())
        return Failure(kNoDeviceDirectoryText);
    const DeviceDirectory devices(directory);
    std::string error;
    // Looking must not create: only commands that change a device give a missing
    // directory its first mouse.
    const bool readOnly = command.action == DevicesAction::List || command.action == DevicesAction::Show;
    if (readOnly) {
        std::error_code status;
        if (!std::filesystem::is_directory(directory, status))
            return Failure("no device directory at " + directory.string() +
                           (std::filesystem::exists(directory, status) ? " (it is not a directory)"
                                                                       : " (no device has been used there yet)"));
        if (!devices.CheckOwnership(error))
            return Failure(error);
    } else if (!devices.EnsureInitialised(error)) {
        return Failure(error);
    }

    const ProductInfo* product = command.product;
    switch (command.action) {
    case DevicesAction::List:
        return List(devices);
    case DevicesAction::Plug:
        return devices.Plug(product->productId, error) ? kDone : Failure(error);
    case DevicesAction::Unplug:
        return devices.Unplug(product->productId, error) ? kDone : Failure(error);
    case DevicesAction::Show:
        return Show(devices, *product);
    case DevicesAction::SetBattery:
        return SetBattery(devices, *product, command.level, command.charging);
    case DevicesAction::Reset:
        return Reset(devices, *product);
    case DevicesAction::Help:
    case DevicesAction::Version:
        break;
    }
    return kDone;
}
