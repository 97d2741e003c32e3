// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Identifiers under which profiles and the configuration register their categories
// (0..32), and the list numbers used to address elements by position. The device
// transfer asks by these numbers what changed.

using tCategoryId = int;

namespace CategoryId {
constexpr tCategoryId ButtonAssignments = 0;    // profile
constexpr tCategoryId KeyAssignments = 1;       // profile
constexpr tCategoryId AuxiliaryAssignments = 2; // configuration
constexpr tCategoryId LedState = 3;             // profile
constexpr tCategoryId LedColour = 4;            // profile
constexpr tCategoryId LedBrightness = 5;        // profile
constexpr tCategoryId ReducedBrightness = 5;    // configuration
constexpr tCategoryId LedEffect = 6;            // profile
constexpr tCategoryId CurrentSensitivity = 7;   // profile
constexpr tCategoryId SelectedStage = 9;        // profile
constexpr tCategoryId Stages = 10;              // profile
constexpr tCategoryId StagesInUse = 11;         // profile
constexpr tCategoryId Macros = 13;              // configuration
constexpr tCategoryId Apps = 15;                // configuration
constexpr tCategoryId AccelerationLevel = 16;   // configuration
constexpr tCategoryId AccelerationOn = 17;      // configuration
constexpr tCategoryId PollingRate = 18;         // configuration
constexpr tCategoryId BatteryWarningLevel = 19; // configuration
constexpr tCategoryId IdleTimeBeforeSleep = 20; // configuration
constexpr tCategoryId ActiveProfile = 21;       // configuration
constexpr tCategoryId ProfileGuid = 23;         // profile
constexpr tCategoryId ProfileName = 24;         // profile
constexpr tCategoryId LinkedProgram = 25;       // profile
constexpr tCategoryId AutoSwitch = 26;          // profile
constexpr tCategoryId ProfileOsd = 27;          // profile
constexpr tCategoryId DpiOsd = 28;              // profile
constexpr tCategoryId KeyMapFlag = 29;          // profile
constexpr tCategoryId LiftOffRange = 30;        // configuration
constexpr tCategoryId AutomaticLiftOff = 31;    // configuration
constexpr tCategoryId SurfaceCalibration = 32;  // configuration

constexpr tCategoryId Lowest = 0;
constexpr tCategoryId Highest = 32;
} // namespace CategoryId

// Lists addressed by position in the "is list element modified" operations.
namespace CategoryList {
constexpr int KeyAssignments = 1; // addressed by key, not by position
constexpr int Stages = 8;
constexpr int Macros = 12;
constexpr int Apps = 14;
} // namespace CategoryList
