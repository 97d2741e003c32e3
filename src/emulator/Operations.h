// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names of the server operations, as counted by `FaultInjection` and named in
// its rules. One name per interface slot; the interface is named without its
// leading "IDevice".
#include <string_view>

namespace emulator::op {

// IDeviceEnumerator
constexpr std::string_view EnumeratorGetDevice = "Enumerator.GetDevice";
constexpr std::string_view EnumeratorGetDeviceCount = "Enumerator.GetDeviceCount";
// IDeviceObject
constexpr std::string_view DeviceGetInfo = "Device.GetInfo";
constexpr std::string_view DeviceGetPath = "Device.GetPath";
// IDeviceProfileCollection
constexpr std::string_view ProfilesGet = "Profiles.Get";
constexpr std::string_view ProfilesGetById = "Profiles.GetById";
constexpr std::string_view ProfilesActivate = "Profiles.Activate";
constexpr std::string_view ProfilesGetActive = "Profiles.GetActive";
constexpr std::string_view ProfilesCreate = "Profiles.Create";
constexpr std::string_view ProfilesDelete = "Profiles.Delete";
constexpr std::string_view ProfilesGetCount = "Profiles.GetCount";
constexpr std::string_view ProfilesImport = "Profiles.Import";
// IDeviceProfile
constexpr std::string_view ProfileGetIndex = "Profile.GetIndex";
constexpr std::string_view ProfileGetId = "Profile.GetId";
constexpr std::string_view ProfileGetName = "Profile.GetName";
constexpr std::string_view ProfileSetName = "Profile.SetName";
constexpr std::string_view ProfileIsActive = "Profile.IsActive";
constexpr std::string_view ProfileExport = "Profile.Export";
// IDeviceButtons
constexpr std::string_view ButtonsGet = "Buttons.Get";
constexpr std::string_view ButtonsSet = "Buttons.Set";
constexpr std::string_view ButtonsGetList = "Buttons.GetList";
// IDeviceSensitivity
constexpr std::string_view SensitivityGetRange = "Sensitivity.GetRange";
constexpr std::string_view SensitivitySet = "Sensitivity.Set";
constexpr std::string_view SensitivityGetStages = "Sensitivity.GetStages";
constexpr std::string_view SensitivityGetStage = "Sensitivity.GetStage";
constexpr std::string_view SensitivitySetStage = "Sensitivity.SetStage";
constexpr std::string_view SensitivityGetStageCount = "Sensitivity.GetStageCount";
constexpr std::string_view SensitivitySetStages = "Sensitivity.SetStages";
constexpr std::string_view SensitivityGet = "Sensitivity.Get";
// IDeviceProfileProperties
constexpr std::string_view PropertiesGet = "Properties.Get";
constexpr std::string_view PropertiesSet = "Properties.Set";
// IDeviceLighting, IDeviceLight and the facets
constexpr std::string_view LightingGetLight = "Lighting.GetLight";
constexpr std::string_view LightingGetCount = "Lighting.GetCount";
constexpr std::string_view LightTurnOn = "Light.TurnOn";
constexpr std::string_view LightTurnOff = "Light.TurnOff";
constexpr std::string_view LightIsOn = "Light.IsOn";
constexpr std::string_view LightGetNumber = "Light.GetNumber";
constexpr std::string_view LightSetColour = "Light.SetColour";
constexpr std::string_view LightGetColour = "Light.GetColour";
constexpr std::string_view LightSetBrightness = "Light.SetBrightness";
constexpr std::string_view LightGetBrightness = "Light.GetBrightness";
constexpr std::string_view LightSetEffect = "Light.SetEffect";
constexpr std::string_view LightGetEffect = "Light.GetEffect";
// IDeviceMacroCollection
constexpr std::string_view MacrosGet = "Macros.Get";
constexpr std::string_view MacrosGetById = "Macros.GetById";
constexpr std::string_view MacrosGetCount = "Macros.GetCount";
constexpr std::string_view MacrosDelete = "Macros.Delete";
constexpr std::string_view MacrosCreate = "Macros.Create";
constexpr std::string_view MacrosImport = "Macros.Import";
// IDeviceMacro
constexpr std::string_view MacroGetId = "Macro.GetId";
constexpr std::string_view MacroGetName = "Macro.GetName";
constexpr std::string_view MacroSetName = "Macro.SetName";
constexpr std::string_view MacroExport = "Macro.Export";
constexpr std::string_view MacroGetEvents = "Macro.GetEvents";
constexpr std::string_view MacroSetEvents = "Macro.SetEvents";
// IDeviceReportInterval
constexpr std::string_view ReportIntervalGet = "ReportInterval.Get";
constexpr std::string_view ReportIntervalSet = "ReportInterval.Set";
constexpr std::string_view ReportIntervalGetSupported = "ReportInterval.GetSupported";
// IDeviceAcceleration
constexpr std::string_view AccelerationTurnOn = "Acceleration.TurnOn";
constexpr std::string_view AccelerationTurnOff = "Acceleration.TurnOff";
constexpr std::string_view AccelerationIsOn = "Acceleration.IsOn";
constexpr std::string_view AccelerationSetValue = "Acceleration.SetValue";
constexpr std::string_view AccelerationGetValue = "Acceleration.GetValue";
// IDeviceCalibration
constexpr std::string_view CalibrationIsOn = "Calibration.IsOn";
constexpr std::string_view CalibrationTurnOn = "Calibration.TurnOn";
constexpr std::string_view CalibrationTurnOff = "Calibration.TurnOff";
constexpr std::string_view CalibrationGetMode = "Calibration.GetMode";
constexpr std::string_view CalibrationSetMode = "Calibration.SetMode";
constexpr std::string_view CalibrationGetLiftOff = "Calibration.GetLiftOff";
constexpr std::string_view CalibrationSetLiftOff = "Calibration.SetLiftOff";
// IDevicePower
constexpr std::string_view PowerGetBatteryWarning = "Power.GetBatteryWarning";
constexpr std::string_view PowerSetBatteryWarning = "Power.SetBatteryWarning";
constexpr std::string_view PowerGetDimBrightness = "Power.GetDimBrightness";
constexpr std::string_view PowerSetDimBrightness = "Power.SetDimBrightness";
constexpr std::string_view PowerGetSleepTimeout = "Power.GetSleepTimeout";
constexpr std::string_view PowerSetSleepTimeout = "Power.SetSleepTimeout";
// IDeviceBattery, IDeviceFirmware, IDeviceState, IDeviceProbe
constexpr std::string_view BatteryGetLevel = "Battery.GetLevel";
constexpr std::string_view BatteryGetChargingState = "Battery.GetChargingState";
constexpr std::string_view FirmwareGetVersion = "Firmware.GetVersion";
constexpr std::string_view StateRestoreFactory = "State.RestoreFactory";
constexpr std::string_view StateSetFlag = "State.SetFlag";
constexpr std::string_view StateGetFlag = "State.GetFlag";
constexpr std::string_view ProbePing = "Probe.Ping";

} // namespace emulator::op
