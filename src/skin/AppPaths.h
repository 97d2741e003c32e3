// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application directory: the folder beside the executable that holds xml/,
// skins/, fonts/, lang/, bin/, save/ and Manuals/. Process-wide, always ending in "/".
#include <string>
#include <string_view>

// The directory set by start-up (or tests); until then the executable's directory.
std::u16string GetAppDirectory();
// Stores the directory, adding the trailing "/" when missing.
void SetAppDirectory(std::u16string_view directory);
// The folder for the user's profile and macro files: "save/" below the
// application directory, ending in "/".
std::u16string GetSaveDirectory();
