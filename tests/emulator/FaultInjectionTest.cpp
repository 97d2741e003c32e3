// SPDX-License-Identifier: GPL-3.0-or-later
// Each fault mode and the call counters the device layer's tests rely on.
#include "EmulatorFixture.h"

#include "emulator/Operations.h"

namespace {

using emulator::FaultInjection;
namespace op = emulator::op;

class Faults : public EmulatorTest {};

TEST_F(Faults, CountsEveryCallByOperation)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    ComPtr<IDeviceButtons> buttons;
    ASSERT_EQ(ActiveProfile(device).As(buttons), S_OK);
    FaultInjection::ResetCounters();
    ButtonRecord record;
    ASSERT_EQ(buttons->GetButton(ButtonBit(1), &record), S_OK);
    ASSERT_EQ(buttons->SetButton(ButtonBit(1), &record), S_OK);
    ASSERT_EQ(buttons->SetButton(ButtonBit(2), &record), S_OK);
    EXPECT_EQ(buttons->SetButton(ButtonBit(6), &record), E_NOT_FOUND);
    EXPECT_EQ(FaultInjection::CallCount(op::ButtonsGet), 1u);
    EXPECT_EQ(FaultInjection::CallCount(op::ButtonsSet), 3u) << "refused calls count too";
    EXPECT_EQ(FaultInjection::CallCount(op::SensitivitySetStage), 0u);
    EXPECT_EQ(FaultInjection::TotalCalls(), 4u);
    const auto counts = FaultInjection::CallCounts();
    EXPECT_EQ(counts.size(), 2u);
    EXPECT_EQ(counts.at("Buttons.Set"), 3u);
}

TEST_F(Faults, TheNthCallFailsAndChangesNothing)
{
    auto interval = As<IDeviceReportInterval>(Device(0x0031));
    FaultInjection::FailNthCall(2);
    EXPECT_EQ(interval->SetReportInterval(8), S_OK);
    EXPECT_EQ(interval->SetReportInterval(1), E_FAIL);
    EXPECT_EQ(interval->SetReportInterval(2), S_OK) << "only the n-th call fails";
    FaultInjection::FailNthCall(1);
    EXPECT_EQ(interval->SetReportInterval(1), E_FAIL);
    uint32_t ms = 0;
    ASSERT_EQ(interval->GetReportInterval(&ms), S_OK);
    EXPECT_EQ(ms, 2u);
}

TEST_F(Faults, ANamedOperationFailsUntilAllowed)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    ComPtr<IDeviceSensitivity> sensitivity;
    ASSERT_EQ(ActiveProfile(device).As(sensitivity), S_OK);
    FaultInjection::FailOperation(op::SensitivitySetStage);
    EXPECT_EQ(sensitivity->SetCurrentStage(4), E_FAIL);
    EXPECT_EQ(sensitivity->SetCurrentStage(4), E_FAIL);
    EXPECT_EQ(sensitivity->SetSensitivity(800, 800), S_OK) << "other operations run";
    uint32_t stage = 0;
    ASSERT_EQ(sensitivity->GetCurrentStage(&stage), S_OK);
    EXPECT_EQ(stage, 2u);
    FaultInjection::AllowOperation(op::SensitivitySetStage);
    EXPECT_EQ(sensitivity->SetCurrentStage(4), S_OK);

    FaultInjection::FailOperation(op::EnumeratorGetDevice);
    ComPtr<IDeviceObject> none;
    EXPECT_EQ(Enumerator()->GetDevice(0, none.Put()), E_FAIL);
    EXPECT_FALSE(none);
}

TEST_F(Faults, UnplugAfterCallsCutsAWriteSequenceShort)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    ComPtr<IDeviceLighting> lighting;
    ASSERT_EQ(ActiveProfile(device).As(lighting), S_OK);
    ComPtr<IDeviceLight> light;
    ASSERT_EQ(lighting->GetLight(0, light.Put()), S_OK);
    ComPtr<IDeviceLightColour> colour;
    ComPtr<IDeviceLightBrightness> brightness;
    ASSERT_EQ(light.As(colour), S_OK);
    ASSERT_EQ(light.As(brightness), S_OK);

    FaultInjection::UnplugAfterCalls(1);
    EXPECT_EQ(colour->SetColour(0x123456), S_OK);
    EXPECT_EQ(brightness->SetBrightness(10), E_DEVICE_NOT_CONNECTED);
    EXPECT_EQ(light->TurnOff(), E_DEVICE_NOT_CONNECTED);
    EXPECT_FALSE(directory().AttachToken(0x0031));

    Plug(0x0031);
    ComPtr<IDeviceLighting> again;
    ASSERT_EQ(ActiveProfile(Device(0x0031)).As(again), S_OK);
    ComPtr<IDeviceLight> wheel;
    ASSERT_EQ(again->GetLight(0, wheel.Put()), S_OK);
    ComPtr<IDeviceLightColour> colourAgain;
    ComPtr<IDeviceLightBrightness> brightnessAgain;
    ASSERT_EQ(wheel.As(colourAgain), S_OK);
    ASSERT_EQ(wheel.As(brightnessAgain), S_OK);
    uint32_t value = 0;
    ASSERT_EQ(colourAgain->GetColour(&value), S_OK);
    EXPECT_EQ(value, 0x123456u) << "what was written before the unplug stays";
    ASSERT_EQ(brightnessAgain->GetBrightness(&value), S_OK);
    EXPECT_EQ(value, 100u) << "what came after it never arrived";
}

TEST_F(Faults, ACorruptReadFailsOneCallAndLeavesTheFile)
{
    auto interval = As<IDeviceReportInterval>(Device(0x0031));
    const std::string before = ReadText(directory().ImagePath(0x0031));
    FaultInjection::CorruptNextImageRead();
    EXPECT_EQ(interval->SetReportInterval(8), E_FILE_CORRUPT);
    EXPECT_EQ(ReadText(directory().ImagePath(0x0031)), before);
    EXPECT_EQ(interval->SetReportInterval(8), S_OK) << "the next read is clean";
}

TEST_F(Faults, ResetClearsRulesAndCounters)
{
    auto interval = As<IDeviceReportInterval>(Device(0x0031));
    FaultInjection::FailOperation(op::ReportIntervalSet);
    FaultInjection::FailNthCall(1);
    FaultInjection::UnplugAfterCalls(0);
    FaultInjection::Reset();
    EXPECT_EQ(interval->SetReportInterval(8), S_OK);
    EXPECT_EQ(FaultInjection::TotalCalls(), 1u);
}

} // namespace
