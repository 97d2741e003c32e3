// SPDX-License-Identifier: GPL-3.0-or-later
// Every interface slot of a fresh device, what it answers and what it refuses.
#include "EmulatorFixture.h"

#include <cstring>
#include <vector>

namespace {

ButtonRecord Record(uint32_t action, uint32_t first)
{
    ButtonRecord r;
    r.bytes[0] = 1;
    r.bytes[8] = uint8_t(action);
    r.bytes[12] = uint8_t(first);
    return r;
}

class InterfaceConformance : public EmulatorTest {};

TEST_F(InterfaceConformance, FirstUseAttachesOneFactoryMouse)
{
    ComPtr<IDeviceEnumerator> enumerator = Enumerator();
    ASSERT_TRUE(enumerator);
    uint32_t count = 0;
    EXPECT_EQ(enumerator->GetDeviceCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ComPtr<IDeviceObject> device;
    ASSERT_EQ(enumerator->GetDevice(0, device.Put()), S_OK);
    EXPECT_EQ(enumerator->GetDevice(1, ComPtr<IDeviceObject>().Put()), E_BOUNDS);

    DeviceInfo info;
    ASSERT_EQ(device->GetDeviceInfo(&info), S_OK);
    const std::u16string path = Take(info.devicePath);
    EXPECT_EQ(info.vendorId, 0x2E7Au);
    EXPECT_EQ(info.productId, 0x0031u);
    EXPECT_EQ(info.firmwareMajor, 1u);
    EXPECT_EQ(info.firmwareMinor, 5u);
    EXPECT_NE(path.find(u"VID_2E7A"), std::u16string::npos);
    EXPECT_NE(path.find(u"PID_0031"), std::u16string::npos);
    EXPECT_EQ(path.rfind(u"\\\\?\\HID#", 0), 0u);
    char16_t* again = nullptr;
    ASSERT_EQ(device->GetDevicePath(&again), S_OK);
    EXPECT_EQ(Take(again), path);
}

TEST_F(InterfaceConformance, ActivationChecksItsArguments)
{
    ComPtr<IDeviceEnumerator> enumerator;
    IUnknown* outer = reinterpret_cast<IUnknown*>(this);
    EXPECT_EQ(CoCreateInstance(CLSID_DeviceServer, outer, 23, IDeviceEnumerator::Iid, enumerator.PutVoid()),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(CoCreateInstance(CLSID_DeviceServer, nullptr, 23, IDeviceProfile::Iid, enumerator.PutVoid()),
              E_NOINTERFACE);
    EXPECT_FALSE(enumerator);
    ComPtr<IDeviceChangeSource> source;
    EXPECT_EQ(CoCreateInstance(CLSID_DeviceServer, 23, source.Put()), S_OK);
}

TEST_F(InterfaceConformance, ProfileCollectionCreatesActivatesAndDeletesUpToFive)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    auto profiles = As<IDeviceProfileCollection>(device);
    uint32_t count = 0;
    ASSERT_EQ(profiles->GetProfileCount(&count), S_OK);
    EXPECT_EQ(count, 1u);

    ComPtr<IDeviceProfile> first;
    ASSERT_EQ(profiles->GetProfile(0, first.Put()), S_OK);
    char16_t* name = nullptr;
    ASSERT_EQ(first->GetName(&name), S_OK);
    EXPECT_EQ(Take(name), u"PROFILE01");
    int32_t active = 0;
    EXPECT_EQ(first->IsActive(&active), S_OK);
    EXPECT_EQ(active, 1);

    std::vector<ComPtr<IDeviceProfile>> created;
    for (int i = 0; i < 4; ++i) {
        ComPtr<IDeviceProfile> p;
        ASSERT_EQ(profiles->CreateProfile(p.Put()), S_OK);
        created.push_back(p);
    }
    ComPtr<IDeviceProfile> sixth;
    EXPECT_EQ(profiles->CreateProfile(sixth.Put()), E_DEVICE_FULL);
    EXPECT_FALSE(sixth);
    ASSERT_EQ(profiles->GetProfileCount(&count), S_OK);
    EXPECT_EQ(count, 5u);
    EXPECT_EQ(profiles->GetProfile(5, ComPtr<IDeviceProfile>().Put()), E_BOUNDS);

    GUID id;
    ASSERT_EQ(created[2]->GetId(&id), S_OK);
    uint32_t index = 0;
    EXPECT_EQ(created[2]->GetIndex(&index), S_OK);
    EXPECT_EQ(index, 3u);
    ComPtr<IDeviceProfile> byId;
    ASSERT_EQ(profiles->GetProfileById(id, byId.Put()), S_OK);
    EXPECT_EQ(profiles->GetProfileById(GUID::Generate(), ComPtr<IDeviceProfile>().Put()), E_NOT_FOUND);

    ASSERT_EQ(profiles->ActivateProfile(byId.Get()), S_OK);
    ComPtr<IDeviceProfile> nowActive;
    ASSERT_EQ(profiles->GetActiveProfile(nowActive.Put()), S_OK);
    GUID activeId;
    ASSERT_EQ(nowActive->GetId(&activeId), S_OK);
    EXPECT_EQ(activeId, id);

    // Deleting the active profile hands activity to the first remaining one;
    // the deleted profile's objects fail from then on.
    ASSERT_EQ(profiles->DeleteProfile(byId.Get()), S_OK);
    EXPECT_EQ(created[2]->GetId(&id), E_NOT_FOUND);
    EXPECT_EQ(profiles->DeleteProfile(byId.Get()), E_NOT_FOUND);
    ASSERT_EQ(first->IsActive(&active), S_OK);
    EXPECT_EQ(active, 1);
    EXPECT_EQ(profiles->ActivateProfile(nullptr), E_INVALIDARG);

    for (auto& p : created)
        profiles->DeleteProfile(p.Get());
    EXPECT_EQ(profiles->DeleteProfile(first.Get()), E_ACCESSDENIED) << "the last profile stays";
}

TEST_F(InterfaceConformance, ProfileNamesRespectTheirSize)
{
    auto profile = ActiveProfile(Device(0x0031));
    const std::u16string longest(127, u'n');
    EXPECT_EQ(profile->SetName(longest.c_str()), S_OK);
    EXPECT_EQ(profile->SetName(std::u16string(128, u'n').c_str()), E_INVALIDARG);
    char16_t* name = nullptr;
    ASSERT_EQ(profile->GetName(&name), S_OK);
    EXPECT_EQ(Take(name), longest);
    EXPECT_EQ(profile->SetName(u"Ünïcødé \U0001F5B1"), S_OK);
    ASSERT_EQ(profile->GetName(&name), S_OK);
    EXPECT_EQ(Take(name), u"Ünïcødé \U0001F5B1");
}

TEST_F(InterfaceConformance, ButtonsHoldValidRecordsOnly)
{
    ComPtr<IDeviceProfile> profile = ActiveProfile(Device(0x0031));
    ComPtr<IDeviceButtons> buttons;
    ASSERT_EQ(profile.As(buttons), S_OK);
    uint32_t count = 0, mask = 0;
    ASSERT_EQ(buttons->GetButtonList(&count, &mask), S_OK);
    EXPECT_EQ(count, 9u);
    EXPECT_EQ(mask, 0x1E1Fu);

    ButtonRecord record;
    ASSERT_EQ(buttons->GetButton(ButtonBit(4), &record), S_OK);
    EXPECT_EQ(std::memcmp(record.bytes, Record(1, 5).bytes, 32), 0) << "button 4 goes back";

    ButtonRecord macro = Record(8, 0);
    const auto id = GUID::Generate().ToBytes();
    std::memcpy(macro.bytes + 12, id.data(), 16);
    macro.bytes[28] = 2;
    macro.bytes[29] = 7;
    ASSERT_EQ(buttons->SetButton(ButtonBit(2), &macro), S_OK);
    ASSERT_EQ(buttons->GetButton(ButtonBit(2), &record), S_OK);
    EXPECT_EQ(std::memcmp(record.bytes, macro.bytes, 32), 0);

    EXPECT_EQ(buttons->SetButton(ButtonBit(6), &macro), E_NOT_FOUND) << "no button 6";
    EXPECT_EQ(buttons->SetButton(3, &macro), E_NOT_FOUND) << "not a single bit";
    const ButtonRecord unknownAction = Record(13, 0);
    const ButtonRecord unknownFunction = Record(1, 12);
    const ButtonRecord none;
    EXPECT_EQ(buttons->SetButton(ButtonBit(1), &unknownAction), E_INVALIDARG);
    EXPECT_EQ(buttons->SetButton(ButtonBit(1), &unknownFunction), E_INVALIDARG);
    ButtonRecord badStart = Record(1, 1);
    badStart.bytes[4] = 1;
    EXPECT_EQ(buttons->SetButton(ButtonBit(1), &badStart), E_INVALIDARG);
    EXPECT_EQ(buttons->SetButton(ButtonBit(1), &none), S_OK) << "an all-zero record disables";
    EXPECT_EQ(buttons->SetButton(ButtonBit(1), nullptr), E_POINTER);
    ASSERT_EQ(buttons->GetButton(ButtonBit(2), &record), S_OK);
    EXPECT_EQ(std::memcmp(record.bytes, macro.bytes, 32), 0) << "refused records change nothing";
}

TEST_F(InterfaceConformance, SensitivityStagesAndPairFollowTheRange)
{
    ComPtr<IDeviceSensitivity> sensitivity;
    ASSERT_EQ(ActiveProfile(Device(0x0031)).As(sensitivity), S_OK);
    uint32_t minimum = 0, maximum = 0, step = 0;
    ASSERT_EQ(sensitivity->GetRange(&minimum, &maximum, &step), S_OK);
    EXPECT_EQ(minimum, 100u);
    EXPECT_EQ(maximum, 6400u);
    EXPECT_EQ(step, 100u);

    SensitivityStages stages;
    ASSERT_EQ(sensitivity->GetStages(&stages), S_OK);
    EXPECT_EQ(stages.count, 5u);
    EXPECT_EQ(stages.current, 2u);
    EXPECT_EQ(stages.stages[4].x, 6400u);
    EXPECT_EQ(stages.stages[5].x, 0u);

    const uint32_t pairs[] = {400, 400, 900, 1200, 3000, 3000};
    ASSERT_EQ(sensitivity->SetStages(3, 3, 0, pairs), S_OK);
    uint32_t stageCount = 0;
    ASSERT_EQ(sensitivity->GetStageCount(&stageCount), S_OK);
    EXPECT_EQ(stageCount, 3u);
    ASSERT_EQ(sensitivity->SetCurrentStage(3), S_OK);
    EXPECT_EQ(sensitivity->SetCurrentStage(4), E_INVALIDARG);
    EXPECT_EQ(sensitivity->SetCurrentStage(0), E_INVALIDARG);
    ASSERT_EQ(sensitivity->SetStages(1, 1, 0, pairs), S_OK);
    uint32_t current = 0;
    ASSERT_EQ(sensitivity->GetCurrentStage(&current), S_OK);
    EXPECT_EQ(current, 1u) << "a current stage beyond the new count moves to the last stage";

    const uint32_t tooHigh[] = {400, 6500};
    EXPECT_EQ(sensitivity->SetStages(1, 1, 0, tooHigh), E_INVALIDARG);
    EXPECT_EQ(sensitivity->SetStages(0, 0, 0, pairs), E_INVALIDARG);
    EXPECT_EQ(sensitivity->SetStages(11, 11, 0, pairs), E_INVALIDARG);
    EXPECT_EQ(sensitivity->SetStages(2, 2, 0, nullptr), E_INVALIDARG);
    ASSERT_EQ(sensitivity->GetStages(&stages), S_OK);
    EXPECT_EQ(stages.count, 1u);
    EXPECT_EQ(stages.stages[0].x, 400u);

    ASSERT_EQ(sensitivity->SetSensitivity(1600, 2400), S_OK);
    uint32_t value = 0, x = 0, y = 0;
    ASSERT_EQ(sensitivity->GetSensitivity(&value, &x, &y), S_OK);
    EXPECT_EQ(x, 1600u);
    EXPECT_EQ(y, 2400u);
    EXPECT_EQ(value, 1600u);
    EXPECT_EQ(sensitivity->SetSensitivity(99, 100), E_INVALIDARG);
}

TEST_F(InterfaceConformance, EarlierGenerationHasItsOwnRangeAndNoPowerOrCalibration)
{
    Plug(0x0013);
    ComPtr<IDeviceObject> legacy = Device(0x0013);
    ASSERT_TRUE(legacy);
    ComPtr<IDevicePower> power;
    EXPECT_EQ(legacy.As(power), E_NOINTERFACE);
    ComPtr<IDeviceCalibration> calibration;
    EXPECT_EQ(legacy.As(calibration), E_NOINTERFACE);
    ComPtr<IDeviceAcceleration> acceleration;
    EXPECT_EQ(legacy.As(acceleration), S_OK);

    ComPtr<IDeviceSensitivity> sensitivity;
    ASSERT_EQ(ActiveProfile(legacy).As(sensitivity), S_OK);
    SensitivityStages stages;
    ASSERT_EQ(sensitivity->GetStages(&stages), S_OK);
    EXPECT_EQ(stages.maximum, 5600u);
    EXPECT_EQ(stages.current, 3u);
    EXPECT_EQ(stages.stages[1].x, 1200u);
    EXPECT_EQ(sensitivity->SetSensitivity(6400, 6400), E_INVALIDARG);
}

TEST_F(InterfaceConformance, ProfilePropertiesAreSizedBuffers)
{
    ComPtr<IDeviceProfileProperties> properties;
    ASSERT_EQ(ActiveProfile(Device(0x0031)).As(properties), S_OK);

    uint8_t buffer[256];
    uint32_t size = 2;
    EXPECT_EQ(properties->GetProperty(kPropertyOptions, 0, buffer, 0, &size), S_OK);
    EXPECT_EQ(size, 2u);
    EXPECT_EQ(buffer[0], kOptionSensitivityOsd | kOptionProfileOsd);

    const uint8_t setAuto[] = {1, 0, 1, 0};
    ASSERT_EQ(properties->SetProperty(kPropertyOptions, setAuto, 0, 4, 0), S_OK);
    const uint8_t clearSensitivityOsd[] = {2, 0, 0, 0};
    ASSERT_EQ(properties->SetProperty(kPropertyOptions, clearSensitivityOsd, 0, 4, 0), S_OK);
    ASSERT_EQ(properties->GetProperty(kPropertyOptions, 0, buffer, 0, &size), S_OK);
    EXPECT_EQ(buffer[0], kOptionAutoSwitch | kOptionProfileOsd) << "only masked bits change";
    const uint8_t unknownBit[] = {8, 0, 8, 0};
    EXPECT_EQ(properties->SetProperty(kPropertyOptions, unknownBit, 0, 4, 0), E_INVALIDARG);
    EXPECT_EQ(properties->SetProperty(kPropertyOptions, setAuto, 0, 2, 0), E_INVALIDARG);

    std::u16string program = u"C:\\Games\\game.exe";
    uint8_t path[256] = {};
    std::memcpy(path, program.data(), program.size() * 2);
    ASSERT_EQ(properties->SetProperty(kPropertyProgramPath, path, 0, 256, 0), S_OK);
    uint8_t back[256];
    std::memset(back, 0xEE, sizeof back);
    size = 256;
    ASSERT_EQ(properties->GetProperty(kPropertyProgramPath, 0, back, 0, &size), S_OK);
    EXPECT_EQ(size, 256u);
    EXPECT_EQ(std::memcmp(back, path, 256), 0) << "the rest of the buffer is zero";

    size = 255;
    EXPECT_EQ(properties->GetProperty(kPropertyProgramPath, 0, back, 0, &size), E_INVALIDARG);
    EXPECT_EQ(size, 256u) << "the needed size is reported";
    uint8_t full[256];
    std::memset(full, 'a', sizeof full);
    EXPECT_EQ(properties->SetProperty(kPropertyProgramPath, full, 0, 256, 0), E_INVALIDARG)
        << "128 characters leave no room for the terminator";
    EXPECT_EQ(properties->SetProperty(kPropertyProgramPath, path, 0, 255, 0), E_INVALIDARG);
    size = 4;
    EXPECT_EQ(properties->GetProperty(0x80000001, 0, back, 0, &size), E_NOT_FOUND);
    EXPECT_EQ(properties->SetProperty(0x80000001, back, 0, 4, 0), E_NOT_FOUND);
}

TEST_F(InterfaceConformance, LightsPerProfileWithTheirFacets)
{
    ComPtr<IDeviceLighting> lighting;
    ASSERT_EQ(ActiveProfile(Device(0x0031)).As(lighting), S_OK);
    uint32_t count = 0;
    ASSERT_EQ(lighting->GetLightCount(&count), S_OK);
    EXPECT_EQ(count, 2u);
    std::vector<uint32_t> numbers;
    for (uint32_t i = 0;; ++i) {
        ComPtr<IDeviceLight> light;
        if (FAILED(lighting->GetLight(i, light.Put())))
            break;
        uint32_t n = 0;
        ASSERT_EQ(light->GetNumber(&n), S_OK);
        numbers.push_back(n);
    }
    EXPECT_EQ(numbers, (std::vector<uint32_t>{1, 3}));

    ComPtr<IDeviceLight> wheel;
    ASSERT_EQ(lighting->GetLight(0, wheel.Put()), S_OK);
    int32_t on = 0;
    ASSERT_EQ(wheel->IsOn(&on), S_OK);
    EXPECT_EQ(on, 1);
    ASSERT_EQ(wheel->TurnOff(), S_OK);
    ASSERT_EQ(wheel->IsOn(&on), S_OK);
    EXPECT_EQ(on, 0);
    ComPtr<IDeviceLight> battery;
    ASSERT_EQ(lighting->GetLight(1, battery.Put()), S_OK);
    ASSERT_EQ(battery->TurnOff(), S_OK);
    ASSERT_EQ(battery->TurnOn(), S_OK);
    ASSERT_EQ(battery->IsOn(&on), S_OK);
    EXPECT_EQ(on, 1);
    ASSERT_EQ(wheel->IsOn(&on), S_OK);
    EXPECT_EQ(on, 0) << "each light keeps its own state";

    ComPtr<IDeviceLightColour> colour;
    ComPtr<IDeviceLightBrightness> brightness;
    ComPtr<IDeviceLightEffect> effect;
    ASSERT_EQ(wheel.As(colour), S_OK);
    ASSERT_EQ(wheel.As(brightness), S_OK);
    ASSERT_EQ(wheel.As(effect), S_OK);
    uint32_t value = 0;
    ASSERT_EQ(colour->GetColour(&value), S_OK);
    EXPECT_EQ(value, 0xFF0000u);
    ASSERT_EQ(colour->SetColour(0x00FF80), S_OK);
    ASSERT_EQ(brightness->SetBrightness(66), S_OK);
    EXPECT_EQ(brightness->SetBrightness(101), E_INVALIDARG);
    ASSERT_EQ(effect->SetEffect(5), S_OK);
    EXPECT_EQ(effect->SetEffect(6), E_INVALIDARG);
    ASSERT_EQ(colour->GetColour(&value), S_OK);
    EXPECT_EQ(value, 0x00FF80u);
    ASSERT_EQ(brightness->GetBrightness(&value), S_OK);
    EXPECT_EQ(value, 66u);
    ASSERT_EQ(effect->GetEffect(&value), S_OK);
    EXPECT_EQ(value, 5u);

    Plug(0x0032);
    ComPtr<IDeviceLighting> dockLighting;
    ASSERT_EQ(ActiveProfile(Device(0x0032)).As(dockLighting), S_OK);
    ASSERT_EQ(dockLighting->GetLightCount(&count), S_OK);
    EXPECT_EQ(count, 3u) << "the dock has its own light";
}

TEST_F(InterfaceConformance, MacrosCarryNamesAndEventBlocks)
{
    auto macros = As<IDeviceMacroCollection>(Device(0x0031));
    ComPtr<IDeviceMacro> macro;
    ASSERT_EQ(macros->CreateMacro(macro.Put()), S_OK);
    ASSERT_EQ(macro->SetName(u"Combo"), S_OK);
    EXPECT_EQ(macro->SetName(std::u16string(256, u'm').c_str()), E_INVALIDARG);

    std::vector<uint8_t> block(MacroEventBlockSize(3), 0);
    block[4] = 3;
    block[8] = kMacroEventKeystroke;
    block[12] = 0x1E; // scan code
    block[16] = kMacroEventDelay;
    block[20] = 50;
    block[24] = kMacroEventMouseButton;
    block[28] = uint8_t(MacroButtonCode(1, false));
    ASSERT_EQ(macro->SetEvents(block.data(), uint32_t(block.size())), S_OK);
    uint8_t* back = nullptr;
    uint32_t size = 0;
    ASSERT_EQ(macro->GetEvents(&back, &size), S_OK);
    ASSERT_EQ(size, block.size());
    EXPECT_EQ(std::memcmp(back, block.data(), size), 0);
    CoTaskMemFree(back);

    auto broken = block;
    broken[4] = 2; // count does not match the size
    EXPECT_EQ(macro->SetEvents(broken.data(), uint32_t(broken.size())), E_INVALIDARG);
    broken = block;
    broken[8] = 4; // unknown event type
    EXPECT_EQ(macro->SetEvents(broken.data(), uint32_t(broken.size())), E_INVALIDARG);
    broken = block;
    broken[block.size() - 1] = 1; // the closing 8 bytes must stay zero
    EXPECT_EQ(macro->SetEvents(broken.data(), uint32_t(broken.size())), E_INVALIDARG);
    broken = block;
    broken[28] = 6; // no mouse button 6
    EXPECT_EQ(macro->SetEvents(broken.data(), uint32_t(broken.size())), E_INVALIDARG);
    EXPECT_EQ(macro->SetEvents(block.data(), 15), E_INVALIDARG);
    EXPECT_EQ(macro->SetEvents(nullptr, 16), E_INVALIDARG);

    GUID id;
    ASSERT_EQ(macro->GetId(&id), S_OK);
    ComPtr<IDeviceMacro> byId;
    ASSERT_EQ(macros->GetMacroById(id, byId.Put()), S_OK);
    char16_t* name = nullptr;
    ASSERT_EQ(byId->GetName(&name), S_OK);
    EXPECT_EQ(Take(name), u"Combo");
    uint32_t count = 0;
    ASSERT_EQ(macros->GetMacroCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ComPtr<IDeviceMacro> first;
    ASSERT_EQ(macros->GetMacro(0, first.Put()), S_OK);
    EXPECT_EQ(macros->GetMacro(1, ComPtr<IDeviceMacro>().Put()), E_BOUNDS);

    ASSERT_EQ(macros->DeleteMacro(first.Get()), S_OK);
    EXPECT_EQ(macro->GetName(&name), E_NOT_FOUND);
    EXPECT_EQ(macros->GetMacroById(id, ComPtr<IDeviceMacro>().Put()), E_NOT_FOUND);
    EXPECT_EQ(macros->DeleteMacro(macro.Get()), E_NOT_FOUND);
}

TEST_F(InterfaceConformance, MacroCountIsLimited)
{
    auto macros = As<IDeviceMacroCollection>(Device(0x0031));
    for (uint32_t i = 0; i < kMaxDeviceMacros; ++i)
        ASSERT_EQ(macros->CreateMacro(ComPtr<IDeviceMacro>().Put()), S_OK);
    EXPECT_EQ(macros->CreateMacro(ComPtr<IDeviceMacro>().Put()), E_DEVICE_FULL);
}

TEST_F(InterfaceConformance, DeviceWideSettingsKeepToTheirValues)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    auto interval = As<IDeviceReportInterval>(device);
    uint32_t ms = 0;
    ASSERT_EQ(interval->GetReportInterval(&ms), S_OK);
    EXPECT_EQ(ms, 2u);
    EXPECT_EQ(interval->SetReportInterval(4), E_INVALIDARG);
    ASSERT_EQ(interval->SetReportInterval(8), S_OK);
    ASSERT_EQ(interval->GetReportInterval(&ms), S_OK);
    EXPECT_EQ(ms, 8u);
    uint32_t count = 0;
    uint32_t* supported = nullptr;
    ASSERT_EQ(interval->GetSupportedIntervals(&count, &supported), S_OK);
    ASSERT_EQ(count, 3u);
    EXPECT_EQ(supported[0], 8u);
    EXPECT_EQ(supported[2], 1u);
    CoTaskMemFree(supported);

    auto acceleration = As<IDeviceAcceleration>(device);
    int32_t on = 1;
    uint32_t level = 0;
    ASSERT_EQ(acceleration->IsOn(&on), S_OK);
    EXPECT_EQ(on, 0);
    ASSERT_EQ(acceleration->GetValue(&level), S_OK);
    EXPECT_EQ(level, 5u);
    ASSERT_EQ(acceleration->TurnOn(), S_OK);
    ASSERT_EQ(acceleration->SetValue(10), S_OK);
    EXPECT_EQ(acceleration->SetValue(0), E_INVALIDARG);
    EXPECT_EQ(acceleration->SetValue(11), E_INVALIDARG);
    ASSERT_EQ(acceleration->IsOn(&on), S_OK);
    EXPECT_EQ(on, 1);
    ASSERT_EQ(acceleration->GetValue(&level), S_OK);
    EXPECT_EQ(level, 10u);
    ASSERT_EQ(acceleration->TurnOff(), S_OK);
    ASSERT_EQ(acceleration->IsOn(&on), S_OK);
    EXPECT_EQ(on, 0);

    auto calibration = As<IDeviceCalibration>(device);
    uint32_t mode = 0, liftOff = 0;
    ASSERT_EQ(calibration->IsOn(&on), S_OK);
    EXPECT_EQ(on, 0);
    ASSERT_EQ(calibration->GetMode(&mode), S_OK);
    EXPECT_EQ(mode, kLiftOffAutomatic);
    ASSERT_EQ(calibration->GetLiftOff(&liftOff), S_OK);
    EXPECT_EQ(liftOff, 20u);
    ASSERT_EQ(calibration->TurnOn(), S_OK);
    ASSERT_EQ(calibration->SetMode(kLiftOffManual), S_OK);
    EXPECT_EQ(calibration->SetMode(3), E_INVALIDARG);
    ASSERT_EQ(calibration->SetLiftOff(100), S_OK);
    EXPECT_EQ(calibration->SetLiftOff(101), E_INVALIDARG);
    ASSERT_EQ(calibration->GetMode(&mode), S_OK);
    EXPECT_EQ(mode, kLiftOffManual);
    ASSERT_EQ(calibration->GetLiftOff(&liftOff), S_OK);
    EXPECT_EQ(liftOff, 100u);
    ASSERT_EQ(calibration->IsOn(&on), S_OK);
    EXPECT_EQ(on, 1);
    ASSERT_EQ(calibration->TurnOff(), S_OK);
    ASSERT_EQ(calibration->IsOn(&on), S_OK);
    EXPECT_EQ(on, 0);

    auto power = As<IDevicePower>(device);
    uint32_t value = 0;
    ASSERT_EQ(power->GetBatteryWarning(&value), S_OK);
    EXPECT_EQ(value, 12u);
    ASSERT_EQ(power->GetDimBrightness(&value), S_OK);
    EXPECT_EQ(value, 158u);
    ASSERT_EQ(power->GetSleepTimeout(&value), S_OK);
    EXPECT_EQ(value, 60u);
    ASSERT_EQ(power->SetBatteryWarning(63), S_OK);
    EXPECT_EQ(power->SetBatteryWarning(256), E_INVALIDARG);
    ASSERT_EQ(power->GetBatteryWarning(&value), S_OK);
    EXPECT_EQ(value, 63u);
    ASSERT_EQ(power->SetDimBrightness(75), S_OK);
    EXPECT_EQ(power->SetDimBrightness(256), E_INVALIDARG);
    ASSERT_EQ(power->GetDimBrightness(&value), S_OK);
    EXPECT_EQ(value, 75u);
    EXPECT_EQ(power->SetSleepTimeout(0), E_INVALIDARG);
    ASSERT_EQ(power->SetSleepTimeout(900), S_OK);
    ASSERT_EQ(power->GetSleepTimeout(&value), S_OK);
    EXPECT_EQ(value, 900u);
}

TEST_F(InterfaceConformance, StatusBatteryFirmwareStateAndProbe)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    auto battery = As<IDeviceBattery>(device);
    uint32_t level = 0, state = 9;
    ASSERT_EQ(battery->GetLevel(&level), S_OK);
    EXPECT_EQ(level, 200u);
    ASSERT_EQ(battery->GetChargingState(&state), S_OK);
    EXPECT_EQ(state, kChargingNone);

    uint32_t major = 0, minor = 0, build = 9, revision = 9;
    ASSERT_EQ(As<IDeviceFirmware>(device)->GetVersion(&major, &minor, &build, &revision), S_OK);
    EXPECT_EQ(major, 1u);
    EXPECT_EQ(minor, 5u);
    EXPECT_EQ(build, 0u);

    auto deviceState = As<IDeviceState>(device);
    int32_t flag = 0;
    ASSERT_EQ(deviceState->GetFlag(&flag), S_OK);
    EXPECT_EQ(flag, 1);
    ASSERT_EQ(deviceState->SetFlag(0), S_OK);
    EXPECT_EQ(deviceState->SetFlag(2), E_INVALIDARG);
    ASSERT_EQ(deviceState->GetFlag(&flag), S_OK);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(As<IDeviceProbe>(device)->Ping(), S_OK);
}

TEST_F(InterfaceConformance, RestoringFactorySettingsKeepsBatteryAndDropsTheRest)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    auto profiles = As<IDeviceProfileCollection>(device);
    ComPtr<IDeviceProfile> extra;
    ASSERT_EQ(profiles->CreateProfile(extra.Put()), S_OK);
    ASSERT_EQ(As<IDeviceMacroCollection>(device)->CreateMacro(ComPtr<IDeviceMacro>().Put()), S_OK);
    ASSERT_EQ(As<IDeviceReportInterval>(device)->SetReportInterval(1), S_OK);
    emulator::DeviceDirectory dir = directory();
    {
        emulator::DeviceLock lock(dir, 0x0031, std::chrono::seconds(10));
        std::string error;
        auto image = dir.LoadImage(0x0031, error);
        ASSERT_TRUE(image) << error;
        image->batteryLevel = 17;
        ASSERT_TRUE(dir.SaveImage(*image, error)) << error;
    }
    ASSERT_EQ(As<IDeviceState>(device)->RestoreFactorySettings(), S_OK);

    uint32_t count = 0, ms = 0, level = 0;
    ASSERT_EQ(profiles->GetProfileCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ASSERT_EQ(As<IDeviceMacroCollection>(device)->GetMacroCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
    ASSERT_EQ(As<IDeviceReportInterval>(device)->GetReportInterval(&ms), S_OK);
    EXPECT_EQ(ms, 2u);
    ASSERT_EQ(As<IDeviceBattery>(device)->GetLevel(&level), S_OK);
    EXPECT_EQ(level, 17u);
}

TEST_F(InterfaceConformance, NullOutParametersAreRefused)
{
    ComPtr<IDeviceObject> device = Device(0x0031);
    EXPECT_EQ(device->GetDeviceInfo(nullptr), E_POINTER);
    EXPECT_EQ(Enumerator()->GetDevice(0, nullptr), E_POINTER);
    EXPECT_EQ(As<IDeviceBattery>(device)->GetLevel(nullptr), E_POINTER);
    ComPtr<IDeviceSensitivity> sensitivity;
    ASSERT_EQ(ActiveProfile(device).As(sensitivity), S_OK);
    EXPECT_EQ(sensitivity->GetStages(nullptr), E_POINTER);
    EXPECT_EQ(As<IDeviceProfileCollection>(device)->ImportProfile(u"x", nullptr), E_POINTER);
}

} // namespace
