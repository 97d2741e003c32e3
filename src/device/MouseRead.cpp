// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the device into the configuration: the full read at start-up and the
// selected-groups read of a transfer.
#include "device/ButtonRecordCodec.h"
#include "device/DeviceText.h"
#include "device/DeviceTiming.h"
#include "device/DeviceValues.h"
#include "device/MacroEventBlock.h"
#include "device/Mouse.h"
#include "device/MouseSupport.h"
#include "device/ServerAccess.h"
#include "platform/com/ComRuntime.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"

#include <algorithm>

CMouse::CMouse(const DeviceDescriptor& descriptor) : CBaseDevice(descriptor) {}

CMouse::~CMouse()
{
    // The worker runs our steps: it must be gone before our members are.
    WaitForWorker();
}

std::vector<uint32_t> CMouse::ButtonList() const
{
    std::lock_guard lock(listMutex_);
    return buttons_;
}

std::vector<uint32_t> CMouse::SupportedIntervals() const
{
    std::lock_guard lock(listMutex_);
    return intervals_;
}

bool CMouse::HasProfileGroups(uint16_t flags) const
{
    return Has(Feature::Profiles) && (flags & TransferFlags::AnyProfileGroup) != 0;
}

bool CMouse::ReadAll(IMouseConfig* config)
{
    if (!config)
        return false;
    const bool opened = Open();
    ComPtr<IDeviceObject> device = Device();
    const bool dock = IsChargingDock(Descriptor().productId);
    if (dock && device)
        QueryAs<IDeviceProbe>(device); // wakes the dock's link; the answer is not needed

    bool ok = opened && device;
    if (ok && Has(Feature::VersionStrings))
        ok = ReadVersionStrings();
    if (ok && Has(Feature::Profiles)) {
        config->DeleteAllProfiles();
        ComPtr<IDeviceProfileCollection> collection = QueryAs<IDeviceProfileCollection>(device);
        ok = bool(collection);
        std::vector<GUID> nameless;
        for (uint32_t index = 0; ok && index < kMaxCollectionItems; ++index) {
            ComPtr<IDeviceProfile> deviceProfile;
            const HRESULT hr = collection->GetProfile(index, deviceProfile.Put());
            if (IsEndOfList(hr))
                break;
            if (FAILED(hr) || !deviceProfile) {
                ok = false;
                break;
            }
            char16_t* rawName = nullptr;
            GUID id;
            const bool named = SUCCEEDED(deviceProfile->GetName(&rawName));
            const std::u16string name = TakeTaskString(rawName);
            if (!named || FAILED(deviceProfile->GetId(&id))) {
                ok = false;
                break;
            }
            IMouseProfile* profile = config->AppendProfile(name);
            if (!profile) {
                ok = false;
                break;
            }
            profile->SetGuid(id);
            if (name.empty())
                nameless.push_back(id);
            if (Has(Feature::Sensitivity))
                ok = ReadSensitivity(deviceProfile.Get(), profile);
        }
        if (ok) {
            ComPtr<IDeviceProfile> active;
            GUID activeId;
            ComPtr<IDeviceProfile> byId;
            ok = SUCCEEDED(collection->GetActiveProfile(active.Put())) && active &&
                 SUCCEEDED(active->GetId(&activeId)) && SUCCEEDED(collection->GetProfileById(activeId, byId.Put())) &&
                 byId;
            RememberActiveProfile(ok ? std::optional(activeId) : std::nullopt);
            if (ok && Has(Feature::Buttons))
                ok = ReadButtonList(byId.Get());
            if (ok)
                SettleNamelessProfiles(config, nameless, activeId);
        }
    }
    if (ok && Has(Feature::Acceleration))
        config->SetValue16Range(1, 10);
    if (ok && Has(Feature::ReportInterval)) {
        ComPtr<IDeviceReportInterval> interval = QueryAs<IDeviceReportInterval>(device);
        uint32_t count = 0;
        uint32_t* values = nullptr;
        ok = interval && SUCCEEDED(interval->GetSupportedIntervals(&count, &values));
        if (ok) {
            std::vector<uint32_t> list(values, values + (values ? count : 0));
            {
                std::lock_guard lock(listMutex_);
                intervals_ = list;
            }
            config->SetSupportedPollingRates(list);
        }
        CoTaskMemFree(values);
    }
    if (ok && Has(Feature::Battery))
        config->SetBatteryRange();

    if (dock && device)
        QueryAs<IDeviceProbe>(device);
    Close();
    SetDeviceReadDone();
    return ok;
}

namespace {

// The first of "<stem>01", "<stem>02"... that no item is called.
template <typename Taken>
std::u16string FreeName(std::u16string_view stem, const Taken& taken)
{
    for (int n = 1;; ++n) {
        std::u16string name(stem);
        if (n < 10)
            name += u'0';
        for (char c : std::to_string(n))
            name += char16_t(c);
        if (!taken(name))
            return name;
    }
}

} // namespace

void CMouse::SettleNamelessProfiles(IMouseConfig* config, const std::vector<GUID>& nameless, const GUID& activeId)
{
    // A profile made on the device and never named (the device went away in
    // between) is never shown as a nameless row: the next write removes it, or
    // names it when the device could not do without it.
    for (const GUID& id : nameless) {
        IMouseProfile* profile = config->FindProfileByGuid(id);
        if (!profile)
            continue;
        if (id != activeId && config->GetProfileCount() > 1) {
            config->DeleteProfile(profile);
            continue;
        }
        profile->SetName(FreeName(
            u"PROFILE", [&](const std::u16string& name) { return config->FindProfileByName(name) != nullptr; }));
    }
}

bool CMouse::ReadVersionStrings()
{
    ComPtr<IDeviceObject> device = Device();
    DeviceInfo info;
    const HRESULT hr = device ? device->GetDeviceInfo(&info) : E_POINTER;
    CoTaskMemFree(info.devicePath);
    if (FAILED(hr)) {
        SetVersions(u"0.00", u"0.00");
        return false;
    }
    SetVersions(FormatDeviceVersion(info.firmwareMajor, info.firmwareMinor),
                FormatDeviceVersion(info.deviceVersionMajor, info.deviceVersionMinor));
    return true;
}

bool CMouse::ReadButtonList(IDeviceProfile* deviceProfile)
{
    ComPtr<IDeviceButtons> buttons = QueryAs<IDeviceButtons>(ComPtr<IDeviceProfile>(deviceProfile));
    uint32_t count = 0;
    uint32_t mask = 0;
    if (!buttons || FAILED(buttons->GetButtonList(&count, &mask)) || count == 0)
        return false;
    std::vector<uint32_t> list;
    for (uint32_t bit = 1; bit <= 0x400000 && list.size() < count; bit <<= 1) {
        if (mask & bit)
            list.push_back(bit);
    }
    std::lock_guard lock(listMutex_);
    buttons_ = std::move(list);
    return true;
}

bool CMouse::ReadSensitivity(IDeviceProfile* deviceProfile, IMouseProfile* profile)
{
    ComPtr<IDeviceSensitivity> sensitivity = QueryAs<IDeviceSensitivity>(ComPtr<IDeviceProfile>(deviceProfile));
    SensitivityStages stages;
    uint32_t value = 0;
    uint32_t x = 0;
    uint32_t y = 0;
    if (!sensitivity || FAILED(sensitivity->GetStages(&stages)) || FAILED(sensitivity->GetSensitivity(&value, &x, &y)))
        return false;
    const uint32_t count = std::clamp<uint32_t>(stages.count, 1, kMaxSensitivityStages);
    profile->SetSensitivityRange(stages.minimum, stages.maximum, stages.step);
    profile->SetStageCount(count);
    for (uint32_t n = 1; n <= count; ++n) {
        const SensitivityPair& pair = stages.stages[n - 1];
        profile->SetStageSeparate(n, (stages.separate & StageBit(n)) != 0);
        profile->SetStageDpi(n, pair.x);
        profile->SetStageX(n, pair.x);
        profile->SetStageY(n, pair.y);
    }
    profile->SetStagesInUse(std::clamp<uint32_t>(stages.inUse, 1, count));
    profile->SelectStage(static_cast<int>(std::min(stages.current, count)));
    profile->SetCurrentDpi(value);
    profile->SetCurrentX(x);
    profile->SetCurrentY(y);
    profile->SetCurrentSeparate(x != y);
    return true;
}

bool CMouse::ReadIdentity(IDeviceProfile* deviceProfile, IMouseProfile* profile)
{
    char16_t* rawName = nullptr;
    GUID id;
    const bool named = SUCCEEDED(deviceProfile->GetName(&rawName));
    const std::u16string name = TakeTaskString(rawName);
    if (!named || FAILED(deviceProfile->GetId(&id)))
        return false;
    // A device profile left nameless keeps the name the model gave it; the next write sends it.
    if (!name.empty() || profile->GetName().empty())
        profile->SetName(name);
    profile->SetGuid(id);

    ComPtr<IDeviceProfileProperties> properties =
        QueryAs<IDeviceProfileProperties>(ComPtr<IDeviceProfile>(deviceProfile));
    if (!properties)
        return false;
    uint8_t pathBuffer[kProgramPathBytes] = {};
    uint32_t size = sizeof pathBuffer;
    if (FAILED(properties->GetProperty(kPropertyProgramPath, 0, pathBuffer, 0, &size)))
        return false;
    const std::u16string path = DecodeProgramPath(pathBuffer, std::min<uint32_t>(size, sizeof pathBuffer));
    profile->SetLinkedProgramPath(path);

    uint8_t options[2] = {};
    size = sizeof options;
    if (FAILED(properties->GetProperty(kPropertyOptions, 0, options, 0, &size)))
        return false;
    const uint16_t bits = static_cast<uint16_t>(options[0] | options[1] << 8);
    // Switching by program needs a program: without one it stays off.
    profile->SetAutoSwitch(!path.empty() && (bits & kOptionAutoSwitch) != 0);
    profile->SetDpiOsd((bits & kOptionSensitivityOsd) != 0);
    profile->SetProfileOsd((bits & kOptionProfileOsd) != 0);
    // What the device holds; the profile states it unless it refused the path.
    ProfileProperties held;
    held.path = path;
    held.autoSwitch = !path.empty() && (bits & kOptionAutoSwitch) != 0;
    held.sensitivityOsd = (bits & kOptionSensitivityOsd) != 0;
    held.profileOsd = (bits & kOptionProfileOsd) != 0;
    RememberProperties(id, held);
    return true;
}

bool CMouse::ReadButtons(IDeviceProfile* deviceProfile, IMouseProfile* profile)
{
    if (ButtonList().empty() && !ReadButtonList(deviceProfile))
        return false;
    ComPtr<IDeviceButtons> buttons = QueryAs<IDeviceButtons>(ComPtr<IDeviceProfile>(deviceProfile));
    if (!buttons)
        return false;
    for (uint32_t bit : ButtonList()) {
        ButtonRecord record;
        if (FAILED(buttons->GetButton(bit, &record)))
            return false;
        const AssignmentRecord assignment = AssignmentFromButtonRecord(record);
        if (assignment.kind != AssignmentKind::Unset)
            profile->SetButtonAssignment(ButtonOfBit(bit), assignment);
    }
    return true;
}

bool CMouse::ReadLighting(IDeviceProfile* deviceProfile, IMouseProfile* profile)
{
    ComPtr<IDeviceLighting> lighting = QueryAs<IDeviceLighting>(ComPtr<IDeviceProfile>(deviceProfile));
    if (!lighting)
        return false;
    std::vector<int32_t> listed;
    bool numbered = true;
    for (uint32_t index = 0; index < kMaxCollectionItems; ++index) {
        ComPtr<IDeviceLight> light;
        const HRESULT hr = lighting->GetLight(index, light.Put());
        if (IsEndOfList(hr)) {
            if (numbered)
                RememberLightKeys(listed);
            break;
        }
        if (FAILED(hr) || !light)
            return false;
        uint32_t number = 0;
        if (FAILED(light->GetNumber(&number))) {
            numbered = false;
            continue;
        }
        const int32_t key = LedKeyFromLightNumber(number);
        if (key < 0)
            continue;
        listed.push_back(key);
        const auto led = static_cast<tLEDType>(key);
        int32_t on = 0;
        if (SUCCEEDED(light->IsOn(&on)))
            profile->SetLedState(led, on != 0);
        uint32_t value = 0;
        if (auto colour = QueryAs<IDeviceLightColour>(light); colour && SUCCEEDED(colour->GetColour(&value)))
            profile->SetLedColour(led, value);
        if (auto brightness = QueryAs<IDeviceLightBrightness>(light);
            brightness && SUCCEEDED(brightness->GetBrightness(&value)))
            profile->SetLedBrightness(led, value);
        if (auto effect = QueryAs<IDeviceLightEffect>(light); effect && SUCCEEDED(effect->GetEffect(&value)))
            profile->SetLedEffect(led, static_cast<tLEDEffect>(value));
    }
    return true;
}

bool CMouse::ReadMacros(IMouseConfig* config)
{
    ComPtr<IDeviceMacroCollection> macros = QueryAs<IDeviceMacroCollection>(Device());
    if (!macros)
        return false;
    struct DeviceMacro {
        GUID id;
        std::u16string name;
        std::vector<MacroEvent> events;
    };
    // Everything is read before the configuration changes, so a failed read
    // leaves the configuration's macros as they were.
    std::vector<DeviceMacro> read;
    for (uint32_t index = 0; index < kMaxCollectionItems; ++index) {
        ComPtr<IDeviceMacro> macro;
        const HRESULT hr = macros->GetMacro(index, macro.Put());
        if (IsEndOfList(hr))
            break;
        if (FAILED(hr) || !macro)
            return false;
        DeviceMacro entry;
        char16_t* rawName = nullptr;
        uint8_t* block = nullptr;
        uint32_t size = 0;
        const bool named = SUCCEEDED(macro->GetName(&rawName));
        entry.name = TakeTaskString(rawName);
        const bool hasEvents = SUCCEEDED(macro->GetEvents(&block, &size));
        std::optional<std::vector<MacroEvent>> events;
        if (hasEvents && block)
            events = ParseMacroEventBlock(std::span<const uint8_t>(block, size));
        CoTaskMemFree(block);
        if (!named || !events || FAILED(macro->GetId(&entry.id)))
            return false;
        entry.events = std::move(*events);
        read.push_back(std::move(entry));
    }
    config->DeleteAllMacros();
    for (DeviceMacro& entry : read) {
        // Every device macro is kept, also one whose name another has in other
        // letter case: whatever the model leaves out, a write would delete.
        CMacro* macro = config->AppendMacro(entry.name);
        if (!macro)
            return false;
        macro->SetGuid(entry.id);
        macro->SetEvents(std::move(entry.events));
        // Made on the device and never named (the device went away in between):
        // not a macro anyone recorded; never shown, and the next write removes it.
        if (entry.name.empty())
            config->DeleteMacro(macro);
    }
    return true;
}

bool CMouse::ReadAcceleration(IMouseConfig* config)
{
    ComPtr<IDeviceAcceleration> acceleration = QueryAs<IDeviceAcceleration>(Device());
    uint32_t level = 0;
    int32_t on = 0;
    if (!acceleration || FAILED(acceleration->GetValue(&level)))
        return false;
    config->SetAccelerationLevel(level);
    if (FAILED(acceleration->IsOn(&on)))
        return false;
    config->SetAccelerationOn(on != 0);
    return true;
}

bool CMouse::ReadReportInterval(IMouseConfig* config)
{
    ComPtr<IDeviceReportInterval> interval = QueryAs<IDeviceReportInterval>(Device());
    uint32_t milliseconds = 0;
    if (!interval || FAILED(interval->GetReportInterval(&milliseconds)))
        return false;
    config->SetPollingRate(static_cast<tPollingRate>(RateFromReportInterval(milliseconds)));
    return true;
}

bool CMouse::ReadBattery(IMouseConfig* config)
{
    ComPtr<IDeviceBattery> battery = QueryAs<IDeviceBattery>(Device());
    uint32_t level = 0;
    uint32_t state = 0;
    if (!battery || FAILED(battery->GetLevel(&level)))
        return false;
    config->SetBatteryLevel(level);
    if (FAILED(battery->GetChargingState(&state)))
        return false;
    const int32_t charging = ChargingStateFromDevice(state);
    config->SetChargingState(charging);
    return charging >= 0;
}

bool CMouse::ReadPower(IMouseConfig* config)
{
    ComPtr<IDevicePower> power = QueryAs<IDevicePower>(Device());
    uint32_t warning = 0;
    uint32_t dim = 0;
    uint32_t sleep = 0;
    if (!power || FAILED(power->GetBatteryWarning(&warning)) || FAILED(power->GetDimBrightness(&dim)) ||
        FAILED(power->GetSleepTimeout(&sleep)))
        return false;
    config->SetBatteryWarningLevel(
        BatteryWarningFromDevice(warning, config->GetBatteryRangeMin(), config->GetBatteryRangeMax()));
    config->SetReducedBrightness(dim);
    config->SetIdleTimeBeforeSleep(sleep);
    return true;
}

bool CMouse::ReadCalibration(IMouseConfig* config)
{
    ComPtr<IDeviceCalibration> calibration = QueryAs<IDeviceCalibration>(Device());
    int32_t on = 0;
    uint32_t mode = 0;
    uint32_t liftOff = 0;
    if (!calibration || FAILED(calibration->IsOn(&on)) || FAILED(calibration->GetMode(&mode)) ||
        FAILED(calibration->GetLiftOff(&liftOff)))
        return false;
    config->SetSurfaceCalibration(on != 0);
    config->SetAutomaticLiftOff(mode != kLiftOffManual);
    config->SetLiftOffRange(liftOff);
    return true;
}

bool CMouse::ReadFirmwareOnOpenConnection()
{
    ComPtr<IDeviceFirmware> firmware = QueryAs<IDeviceFirmware>(Device());
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
    uint32_t revision = 0;
    if (!firmware || FAILED(firmware->GetVersion(&major, &minor, &build, &revision))) {
        SetFirstVersion(u"0.00");
        return false;
    }
    SetFirstVersion(FormatDeviceVersion(major, minor));
    return true;
}

bool CMouse::RefreshFirmwareVersion()
{
    if (!Open())
        return false;
    const bool ok = ReadFirmwareOnOpenConnection();
    Close();
    return ok;
}

bool CMouse::ReadSelected(IMouseConfig* config, uint16_t flags)
{
    if (!config)
        return false;
    bool ok = true;
    if (Selected(flags, TransferGroups::Macros))
        ok = ReadMacros(config);

    if (ok && HasProfileGroups(flags)) {
        const std::u16string prefix = TranslateDeviceText(u"$Profile:");
        ComPtr<IDeviceProfileCollection> collection = QueryAs<IDeviceProfileCollection>(Device());
        ok = bool(collection);
        GUID activeId;
        if (ok) {
            ComPtr<IDeviceProfile> active;
            if (FAILED(collection->GetActiveProfile(active.Put())) || !active || FAILED(active->GetId(&activeId)))
                activeId = GUID_NULL;
            RememberActiveProfile(activeId.IsNull() ? std::nullopt : std::optional(activeId));
        }
        for (uint32_t index = 0; ok && index < kMaxCollectionItems; ++index) {
            ComPtr<IDeviceProfile> deviceProfile;
            const HRESULT hr = collection->GetProfile(index, deviceProfile.Put());
            if (IsEndOfList(hr))
                break;
            if (FAILED(hr) || !deviceProfile) {
                ok = false;
                break;
            }
            GUID id;
            if (FAILED(deviceProfile->GetId(&id))) {
                ok = false;
                break;
            }
            IMouseProfile* profile = config->FindProfileByGuid(id);
            if (!profile)
                continue;
            SendProgressText(prefix + profile->GetName());
            if (!activeId.IsNull() && activeId == id)
                config->SetCurrentProfile(profile);
            if (Selected(flags, TransferGroups::ProfileIdentity))
                ok = ReadIdentity(deviceProfile.Get(), profile);
            SendProgress(10);
            if (ok && Selected(flags, TransferGroups::Sensitivity))
                ok = ReadSensitivity(deviceProfile.Get(), profile);
            SendProgress(30);
            if (ok && Selected(flags, TransferGroups::Buttons))
                ok = ReadButtons(deviceProfile.Get(), profile);
            SendProgress(60);
            SendProgress(80);
            if (ok && Selected(flags, TransferGroups::Lighting))
                ok = ReadLighting(deviceProfile.Get(), profile);
            SendProgress(100);
            // What was read is what the device holds, and what could not be read
            // must not be sent back as if it had been edited: nothing of a profile
            // read whole is pending afterwards.
            if (CoversProfileGroups(flags))
                profile->CommitAll();
        }
    }

    if (ok && Selected(flags, TransferGroups::Acceleration))
        ok = ReadAcceleration(config);
    if (ok && Selected(flags, TransferGroups::ReportInterval))
        ok = ReadReportInterval(config);
    if (ok && Selected(flags, TransferGroups::Battery))
        ok = ReadBattery(config);
    if (ok && Selected(flags, TransferGroups::Power))
        ok = ReadPower(config);
    if (ok && Selected(flags, TransferGroups::Calibration))
        ok = ReadCalibration(config);
    if (ok && Selected(flags, TransferGroups::Firmware))
        ok = ReadFirmwareOnOpenConnection();

    config->CommitAll();
    return ok;
}
