// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the seeded walk through the main window checks after each step: every
// control of the page shown against the configuration, and after every write the
// configuration against a fresh read of the device.
#include <cstdint>
#include <string>
#include <vector>

class CTovikEliteAppDlg;
class IMouseConfig;

namespace walk {

// One control that does not show what the configuration holds.
struct Mismatch {
    std::string page;
    std::string control;
    std::string shown;
    std::string held;
};

std::string Describe(const Mismatch& mismatch);

// The page the window shows, by name ("buttons", "performance", ...); "none"
// before the first page is shown.
std::string ShownPageName(CTovikEliteAppDlg& window);

// Every visible control of the page shown (and of the current-profile strip when
// it is shown) compared with the configuration and its active profile. Empty when
// all agree.
std::vector<Mismatch> CheckShownPage(CTovikEliteAppDlg& window);

// Everything the device of `productId` stores, as `held` holds it, compared with
// what `read` (a fresh read of the device) found; one line per difference.
std::vector<std::string> DeviceDifferences(IMouseConfig& held, IMouseConfig& read, uint32_t productId);

} // namespace walk
