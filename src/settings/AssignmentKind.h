// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Assignment kinds: what a mouse button or keyboard key does. The numbers are the
// ones stored in profiles and sent to the device, so they never change.
#include <cstdint>
#include <optional>
#include <string_view>

namespace AssignmentKind {
constexpr int32_t Unset = -1;
constexpr int32_t Default = 0;
constexpr int32_t Click = 1;
constexpr int32_t Menu = 2;
constexpr int32_t UniversalScrolling = 3;
constexpr int32_t DoubleClick = 4;
constexpr int32_t SingleKey = 5;
constexpr int32_t MacroById = 6;
constexpr int32_t MacroByName = 7;
constexpr int32_t ButtonOff = 8;
constexpr int32_t Advanced = 9;
constexpr int32_t OnTheFlySensitivity = 10;
constexpr int32_t Button4 = 11;
constexpr int32_t Button5 = 12;
constexpr int32_t SensitivityStageUp = 13;
constexpr int32_t SensitivityStageDown = 14;
constexpr int32_t SensitivityStages = 15;
constexpr int32_t DpiStage1 = 16;
constexpr int32_t DpiStage5 = 20;
constexpr int32_t TemporarySensitivity = 21;
constexpr int32_t ProfileById = 22;
constexpr int32_t ProfileByName = 23;
constexpr int32_t ProfileUp = 24;
constexpr int32_t ProfileDown = 25;
constexpr int32_t Profile1 = 26;
constexpr int32_t Profile5 = 30;
constexpr int32_t KeyMap = 31;
constexpr int32_t KeyMapSecond = 32;
constexpr int32_t Play = 43;
constexpr int32_t Backward = 45;
constexpr int32_t Forward = 46;
constexpr int32_t ScrollUp = 53;
constexpr int32_t ScrollDown = 54;
constexpr int32_t LaunchProgram = 75;
constexpr int32_t LaunchProgramSecond = 76;
// Used only for the configuration's auxiliary assignments.
constexpr int32_t Auxiliary = 77;
constexpr int32_t Joystick = 78;
constexpr int32_t JoystickSecond = 79;
} // namespace AssignmentKind

// The language key ("$click", "$macro", ...) that names a kind; nothing for kinds
// without a name (33 to 42, 77, and anything outside the table).
std::optional<std::string_view> AssignmentKindTextKey(int32_t kind);

// The language key of the sentence that describes what a kind does, shown with
// its menu entry; kinds without their own sentence (9, 11, 12, 15 to 20, 24 to 30,
// 43, 44, 47 to 52, 55 to 76) are described by their name key. Nothing for kinds
// without a name.
std::optional<std::string_view> AssignmentKindDescriptionKey(int32_t kind);

// The kind a name key stands for; where kinds share a key ("$macro", "$profile",
// "$keymap", "$launchprogram", "$joystick") the first of them, the one a menu
// offers. Nothing for a key that names no kind (letter case counts).
std::optional<int32_t> AssignmentKindFromTextKey(std::string_view key);
