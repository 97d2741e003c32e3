// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names the profiles page gives and refuses: duplicates are found without
// regard to letter case, and a copy is named after its source with a number.
#include <optional>
#include <string>
#include <string_view>

class IMouseConfig;

// True when a profile already bears `name`, ignoring letter case.
bool IsProfileNameTaken(const IMouseConfig& config, std::u16string_view name);

// The copy of a profile named `sourceName` is called "<base>(n)" for the smallest n
// from 2 to 99 that no profile bears; the base is the source name, cut to its first
// 18 characters when it is longer than 19. Nothing when every number is taken.
std::optional<std::u16string> FreeCopyName(const IMouseConfig& config, std::u16string_view sourceName);

// A row's position as the list shows it: two digits at least ("01").
std::u16string ProfilePositionText(int position);
