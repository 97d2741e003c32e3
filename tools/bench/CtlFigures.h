// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command-line program's figures, measured in this process through its own
// library against the device directories the traffic figures prepared: the
// device calls of `set` of one setting beside the window's Apply minimum, and the
// time of `show` on the large image.
#include <filesystem>
#include <string>

class FigureTable;

// `smallDirectory` holds a mouse with one profile, `largeDirectory` the large
// image. Adds the "ctl" section; false (with `error`) when a command fails.
bool MeasureCtl(const std::filesystem::path& smallDirectory, const std::filesystem::path& largeDirectory, int runs,
                FigureTable& table, std::string& error);
