// SPDX-License-Identifier: GPL-3.0-or-later
// One attached device: its information, its profile and macro collections and
// its device-wide settings and status.
#include "emulator/ImageCodec.h"
#include "emulator/Json.h"
#include "emulator/Operations.h"
#include "emulator/ServerObjects.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComRuntime.h"
#include "platform/core/AtomicFile.h"
#include "platform/core/Utf.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>

namespace emulator {

namespace {

// What the device's profile and macro collections differ in: where their items
// live, how many there may be, and which object hands one out.
template <typename Interface, typename Item>
struct Collection {
    std::vector<Item> DeviceImage::*items;
    size_t limit;
    Interface* (*handOut)(Channel, const GUID&);
};
constexpr Collection<IDeviceProfile, ProfileImage> kProfiles{&DeviceImage::profiles, kMaxDeviceProfiles,
                                                             NewProfileObject};
constexpr Collection<IDeviceMacro, MacroImage> kMacros{&DeviceImage::macros, kMaxDeviceMacros, NewMacroObject};

// Adds an item unless the collection is full; an item whose identity is taken
// gets a fresh one, so an import never replaces what the device has.
template <typename Interface, typename Item>
HRESULT AddItem(const Collection<Interface, Item>& collection, DeviceImage& image, Item item, GUID& id)
{
    std::vector<Item>& items = image.*collection.items;
    if (items.size() >= collection.limit)
        return E_DEVICE_FULL;
    if (std::ranges::any_of(items, [&](const Item& existing) { return existing.id == item.id; }))
        item.id = GUID::Generate();
    id = item.id;
    items.push_back(std::move(item));
    return S_OK;
}

// Acceleration and calibration both have TurnOn/TurnOff/IsOn, so each is an
// object of its own sharing the device's channel.
class AccelerationObject final : public ComObject<IDeviceAcceleration> {
public:
    explicit AccelerationObject(Channel channel) : channel_(std::move(channel)) {}

    HRESULT TurnOn() override { return Switch(op::AccelerationTurnOn, true); }
    HRESULT TurnOff() override { return Switch(op::AccelerationTurnOff, false); }
    HRESULT IsOn(int32_t* on) override
    {
        if (!on)
            return E_POINTER;
        return channel_->Read(op::AccelerationIsOn, [&](const DeviceImage& image) {
            *on = image.accelerationOn ? 1 : 0;
            return S_OK;
        });
    }
    HRESULT SetValue(uint32_t level) override
    {
        return channel_->Change(op::AccelerationSetValue, [&](DeviceImage& image) {
            if (level < 1 || level > 10)
                return E_INVALIDARG;
            image.accelerationLevel = level;
            return S_OK;
        });
    }
    HRESULT GetValue(uint32_t* level) override
    {
        if (!level)
            return E_POINTER;
        return channel_->Read(op::AccelerationGetValue, [&](const DeviceImage& image) {
            *level = image.accelerationLevel;
            return S_OK;
        });
    }

private:
    HRESULT Switch(std::string_view operation, bool on)
    {
        return channel_->Change(operation, [&](DeviceImage& image) {
            image.accelerationOn = on;
            return S_OK;
        });
    }

    Channel channel_;
};

class CalibrationObject final : public ComObject<IDeviceCalibration> {
public:
    explicit CalibrationObject(Channel channel) : channel_(std::move(channel)) {}

    HRESULT IsOn(int32_t* on) override
    {
        if (!on)
            return E_POINTER;
        return channel_->Read(op::CalibrationIsOn, [&](const DeviceImage& image) {
            *on = image.calibrationOn ? 1 : 0;
            return S_OK;
        });
    }
    HRESULT TurnOn() override { return Switch(op::CalibrationTurnOn, true); }
    HRESULT TurnOff() override { return Switch(op::CalibrationTurnOff, false); }
    HRESULT GetMode(uint32_t* mode) override
    {
        if (!mode)
            return E_POINTER;
        return channel_->Read(op::CalibrationGetMode, [&](const DeviceImage& image) {
            *mode = image.liftOffMode;
            return S_OK;
        });
    }
    HRESULT SetMode(uint32_t mode) override
    {
        return channel_->Change(op::CalibrationSetMode, [&](DeviceImage& image) {
            if (mode != kLiftOffAutomatic && mode != kLiftOffManual)
                return E_INVALIDARG;
            image.liftOffMode = mode;
            return S_OK;
        });
    }
    HRESULT GetLiftOff(uint32_t* value) override
    {
        if (!value)
            return E_POINTER;
        return channel_->Read(op::CalibrationGetLiftOff, [&](const DeviceImage& image) {
            *value = image.liftOff;
            return S_OK;
        });
    }
    HRESULT SetLiftOff(uint32_t value) override
    {
        return channel_->Change(op::CalibrationSetLiftOff, [&](DeviceImage& image) {
            if (value > 100)
                return E_INVALIDARG;
            image.liftOff = value;
            return S_OK;
        });
    }

private:
    HRESULT Switch(std::string_view operation, bool on)
    {
        return channel_->Change(operation, [&](DeviceImage& image) {
            image.calibrationOn = on;
            return S_OK;
        });
    }

    Channel channel_;
};

// The connection's write session; the channel keeps it, so it lasts while any
// object of the connection lives, not only this one.
class WriteSessionObject final : public ComObject<IDeviceWriteSession> {
public:
    explicit WriteSessionObject(Channel channel) : channel_(std::move(channel)) {}

    HRESULT BeginWrite(uint32_t timeoutMs) override
    {
        return channel_->BeginSession(std::chrono::milliseconds(timeoutMs));
    }
    HRESULT EndWrite() override { return channel_->EndSession(); }

private:
    Channel channel_;
};

class DeviceObject final
    : public ComObject<IDeviceObject, IDeviceProfileCollection, IDeviceMacroCollection, IDeviceReportInterval,
                       IDeviceBattery, IDevicePower, IDeviceFirmware, IDeviceState, IDeviceProbe> {
public:
    explicit DeviceObject(Channel channel) : channel_(std::move(channel)) {}

    HRESULT QueryInterface(const IID& iid, void** out) override
    {
        // The earlier generation has no power management.
        if (iid == IDevicePower::Iid && !channel_->product().hasPower) {
            if (out)
                *out = nullptr;
            return E_NOINTERFACE;
        }
        return ComObject::QueryInterface(iid, out);
    }

    // IDeviceObject
    HRESULT GetDeviceInfo(DeviceInfo* info) override
    {
        if (!info)
            return E_POINTER;
        return channel_->Read(op::DeviceGetInfo, [&](const DeviceImage& image) {
            char16_t* path = CoTaskMemDupString(DevicePathFor(image.productId, Token()));
            if (!path)
                return E_OUTOFMEMORY;
            const ProductInfo& product = channel_->product();
            info->vendorId = 0x2E7A;
            info->productId = image.productId;
            info->deviceVersionMajor = product.hardwareMajor;
            info->deviceVersionMinor = product.hardwareMinor;
            info->firmwareMajor = image.firmware[0];
            info->firmwareMinor = image.firmware[1];
            info->devicePath = path;
            return S_OK;
        });
    }
    HRESULT GetDevicePath(char16_t** path) override
    {
        if (!path)
            return E_POINTER;
        *path = nullptr;
        return channel_->Read(op::DeviceGetPath, [&](const DeviceImage& image) {
            *path = CoTaskMemDupString(DevicePathFor(image.productId, Token()));
            return *path ? S_OK : E_OUTOFMEMORY;
        });
    }

    // IDeviceProfileCollection
    HRESULT GetProfile(uint32_t index, IDeviceProfile** profile) override
    {
        return HandOutAt(kProfiles, index, profile, op::ProfilesGet);
    }
    HRESULT GetProfileById(const GUID& wanted, IDeviceProfile** profile) override
    {
        return HandOutById(kProfiles, wanted, profile, op::ProfilesGetById);
    }
    HRESULT ActivateProfile(IDeviceProfile* profile) override
    {
        const GUID* id = ProfileIdOf(profile, *channel_);
        return channel_->Change(op::ProfilesActivate, [&](DeviceImage& image) {
            if (!id)
                return E_INVALIDARG;
            if (!image.FindProfile(*id))
                return E_NOT_FOUND;
            image.activeProfile = *id;
            return S_OK;
        });
    }
    HRESULT GetActiveProfile(IDeviceProfile** profile) override
    {
        return HandOut(kProfiles, profile, op::ProfilesGetActive, [&](const DeviceImage& image, GUID& id) {
            id = image.activeProfile;
            return S_OK;
        });
    }
    HRESULT CreateProfile(IDeviceProfile** profile) override
    {
        return HandOutAdded(kProfiles, profile, op::ProfilesCreate, [&](DeviceImage& image, GUID& id) {
            return AddItem(kProfiles, image, FactoryProfile(channel_->product(), u""), id);
        });
    }
    HRESULT DeleteProfile(IDeviceProfile* profile) override
    {
        const GUID* id = ProfileIdOf(profile, *channel_);
        return channel_->Change(op::ProfilesDelete, [&](DeviceImage& image) {
            if (!id)
                return E_INVALIDARG;
            if (!image.FindProfile(*id))
                return E_NOT_FOUND;
            if (image.profiles.size() == 1)
                return E_ACCESSDENIED;
            std::erase_if(image.profiles, [&](const ProfileImage& p) { return p.id == *id; });
            if (image.activeProfile == *id)
                image.activeProfile = image.profiles.front().id;
            return S_OK;
        });
    }
    HRESULT GetProfileCount(uint32_t* count) override { return CountOf(kProfiles, count, op::ProfilesGetCount); }
    HRESULT ImportProfile(const char16_t* path, IDeviceProfile** profile) override
    {
        if (!profile)
            return E_POINTER;
        *profile = nullptr;
        std::optional<ProfileImage> imported;
        const HRESULT fileResult = ReadExchangeFile(path, [&](std::string_view text, std::string& error) {
            imported = DecodeProfileFile(text, channel_->product(), error);
            return imported.has_value();
        });
        return HandOutAdded(kProfiles, profile, op::ProfilesImport, [&](DeviceImage& image, GUID& id) {
            return FAILED(fileResult) ? fileResult : AddItem(kProfiles, image, *imported, id);
        });
    }

    // IDeviceMacroCollection
    HRESULT GetMacro(uint32_t index, IDeviceMacro** macro) override
    {
        return HandOutAt(kMacros, index, macro, op::MacrosGet);
    }
    HRESULT GetMacroById(const GUID& wanted, IDeviceMacro** macro) override
    {
        return HandOutById(kMacros, wanted, macro, op::MacrosGetById);
    }
    HRESULT GetMacroCount(uint32_t* count) override { return CountOf(kMacros, count, op::MacrosGetCount); }
    HRESULT DeleteMacro(IDeviceMacro* macro) override
    {
        const GUID* id = MacroIdOf(macro, *channel_);
        return channel_->Change(op::MacrosDelete, [&](DeviceImage& image) {
            if (!id)
                return E_INVALIDARG;
            if (!image.FindMacro(*id))
                return E_NOT_FOUND;
            std::erase_if(image.macros, [&](const MacroImage& m) { return m.id == *id; });
            return S_OK;
        });
    }
    HRESULT CreateMacro(IDeviceMacro** macro) override
    {
        return HandOutAdded(kMacros, macro, op::MacrosCreate, [&](DeviceImage& image, GUID& id) {
            MacroImage m;
            m.id = GUID::Generate();
            return AddItem(kMacros, image, std::move(m), id);
        });
    }
    HRESULT ImportMacro(const char16_t* path, IDeviceMacro** macro) override
    {
        if (!macro)
            return E_POINTER;
        *macro = nullptr;
        std::optional<MacroImage> imported;
        const HRESULT fileResult = ReadExchangeFile(path, [&](std::string_view text, std::string& error) {
            imported = DecodeMacroFile(text, error);
            return imported.has_value();
        });
        return HandOutAdded(kMacros, macro, op::MacrosImport, [&](DeviceImage& image, GUID& id) {
            return FAILED(fileResult) ? fileResult : AddItem(kMacros, image, *imported, id);
        });
    }

    // IDeviceReportInterval
    HRESULT GetReportInterval(uint32_t* milliseconds) override
    {
        if (!milliseconds)
            return E_POINTER;
        return channel_->Read(op::ReportIntervalGet, [&](const DeviceImage& image) {
            *milliseconds = image.reportInterval;
            return S_OK;
        });
    }
    HRESULT SetReportInterval(uint32_t milliseconds) override
    {
        return channel_->Change(op::ReportIntervalSet, [&](DeviceImage& image) {
            if (!IsValidReportInterval(milliseconds))
                return E_INVALIDARG;
            image.reportInterval = milliseconds;
            return S_OK;
        });
    }
    HRESULT GetSupportedIntervals(uint32_t* count, uint32_t** intervals) override
    {
        if (!count || !intervals)
            return E_POINTER;
        *count = 0;
        *intervals = nullptr;
        return channel_->Read(op::ReportIntervalGetSupported, [&](const DeviceImage&) {
            static constexpr uint32_t supported[] = {8, 2, 1};
            auto* array = static_cast<uint32_t*>(CoTaskMemAlloc(sizeof supported));
            if (!array)
                return E_OUTOFMEMORY;
            std::memcpy(array, supported, sizeof supported);
            *intervals = array;
            *count = 3;
            return S_OK;
        });
    }

    // IDeviceBattery
    HRESULT GetLevel(uint32_t* level) override
    {
        if (!level)
            return E_POINTER;
        *level = 0;
        return channel_->Read(op::BatteryGetLevel, [&](const DeviceImage& image) {
            // The earlier generation cannot measure its battery while it charges.
            if (!channel_->product().currentGeneration && image.chargingState == kChargingActive)
                return E_FAIL;
            *level = image.batteryLevel;
            return S_OK;
        });
    }
    HRESULT GetChargingState(uint32_t* state) override
    {
        if (!state)
            return E_POINTER;
        return channel_->Read(op::BatteryGetChargingState, [&](const DeviceImage& image) {
            *state = image.chargingState;
            return S_OK;
        });
    }

    // IDevicePower
    HRESULT GetBatteryWarning(uint32_t* level) override
    {
        return GetWord(op::PowerGetBatteryWarning, &DeviceImage::batteryWarning, level);
    }
    HRESULT SetBatteryWarning(uint32_t level) override
    {
        return SetWord(op::PowerSetBatteryWarning, &DeviceImage::batteryWarning, level, 0, 255);
    }
    HRESULT GetDimBrightness(uint32_t* value) override
    {
        return GetWord(op::PowerGetDimBrightness, &DeviceImage::dimBrightness, value);
    }
    HRESULT SetDimBrightness(uint32_t value) override
    {
        return SetWord(op::PowerSetDimBrightness, &DeviceImage::dimBrightness, value, 0, 255);
    }
    HRESULT GetSleepTimeout(uint32_t* seconds) override
    {
        return GetWord(op::PowerGetSleepTimeout, &DeviceImage::sleepTimeout, seconds);
    }
    HRESULT SetSleepTimeout(uint32_t seconds) override
    {
        return SetWord(op::PowerSetSleepTimeout, &DeviceImage::sleepTimeout, seconds, 1, 3600);
    }

    // IDeviceFirmware
    HRESULT GetVersion(uint32_t* major, uint32_t* minor, uint32_t* build, uint32_t* revision) override
    {
        if (!major || !minor || !build || !revision)
            return E_POINTER;
        return channel_->Read(op::FirmwareGetVersion, [&](const DeviceImage& image) {
            *major = image.firmware[0];
            *minor = image.firmware[1];
            *build = image.firmware[2];
            *revision = image.firmware[3];
            return S_OK;
        });
    }

    // IDeviceState
    HRESULT RestoreFactorySettings() override
    {
        return channel_->Change(op::StateRestoreFactory, [](DeviceImage& image) {
            emulator::RestoreFactorySettings(image);
            return S_OK;
        });
    }
    HRESULT SetFlag(int32_t flag) override
    {
        return channel_->Change(op::StateSetFlag, [&](DeviceImage& image) {
            if (flag != 0 && flag != 1)
                return E_INVALIDARG;
            image.stateFlag = flag;
            return S_OK;
        });
    }
    HRESULT GetFlag(int32_t* flag) override
    {
        if (!flag)
            return E_POINTER;
        return channel_->Read(op::StateGetFlag, [&](const DeviceImage& image) {
            *flag = image.stateFlag;
            return S_OK;
        });
    }

    // IDeviceProbe
    HRESULT Ping() override
    {
        return channel_->Read(op::ProbePing, [](const DeviceImage&) { return S_OK; });
    }

protected:
    HRESULT QueryExtraInterface(const IID& iid, void** out) override
    {
        if (iid == IDeviceAcceleration::Iid) {
            *out = static_cast<IDeviceAcceleration*>(MakeComObject<AccelerationObject>(channel_));
            return S_OK;
        }
        if (iid == IDeviceCalibration::Iid && channel_->product().hasCalibration) {
            *out = static_cast<IDeviceCalibration*>(MakeComObject<CalibrationObject>(channel_));
            return S_OK;
        }
        if (iid == IDeviceWriteSession::Iid) {
            *out = static_cast<IDeviceWriteSession*>(MakeComObject<WriteSessionObject>(channel_));
            return S_OK;
        }
        return E_NOINTERFACE;
    }

private:
    const std::string& Token() const { return channel_->token(); }

    // Hands out the object for the item `find` names (by setting its identity).
    template <typename Interface, typename Item, typename F>
    HRESULT HandOut(const Collection<Interface, Item>& collection, Interface** object, std::string_view operation,
                    F&& find)
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        GUID id;
        const HRESULT hr = channel_->Read(operation, [&](const DeviceImage& image) { return find(image, id); });
        if (SUCCEEDED(hr))
            *object = collection.handOut(channel_, id);
        return hr;
    }
    // Hands out the object for the item `add` puts into the collection.
    template <typename Interface, typename Item, typename F>
    HRESULT HandOutAdded(const Collection<Interface, Item>& collection, Interface** object, std::string_view operation,
                         F&& add)
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        GUID id;
        const HRESULT hr = channel_->Change(operation, [&](DeviceImage& image) { return add(image, id); });
        if (SUCCEEDED(hr))
            *object = collection.handOut(channel_, id);
        return hr;
    }
    template <typename Interface, typename Item>
    HRESULT HandOutAt(const Collection<Interface, Item>& collection, uint32_t index, Interface** object,
                      std::string_view operation)
    {
        return HandOut(collection, object, operation, [&](const DeviceImage& image, GUID& id) {
            const std::vector<Item>& items = image.*collection.items;
            if (index >= items.size())
                return E_BOUNDS;
            id = items[index].id;
            return S_OK;
        });
    }
    template <typename Interface, typename Item>
    HRESULT HandOutById(const Collection<Interface, Item>& collection, const GUID& wanted, Interface** object,
                        std::string_view operation)
    {
        return HandOut(collection, object, operation, [&](const DeviceImage& image, GUID& id) {
            if (std::ranges::none_of(image.*collection.items, [&](const Item& item) { return item.id == wanted; }))
                return E_NOT_FOUND;
            id = wanted;
            return S_OK;
        });
    }
    template <typename Interface, typename Item>
    HRESULT CountOf(const Collection<Interface, Item>& collection, uint32_t* count, std::string_view operation)
    {
        if (!count)
            return E_POINTER;
        return channel_->Read(operation, [&](const DeviceImage& image) {
            *count = uint32_t((image.*collection.items).size());
            return S_OK;
        });
    }

    // Reads an import file before the device is locked, so a slow or huge file
    // never holds the device up.
    template <typename F>
    static HRESULT ReadExchangeFile(const char16_t* path, F&& decode)
    {
        std::filesystem::path source;
        if (!PathFromInterface(path, source))
            return E_INVALIDARG;
        std::error_code ec;
        const auto status = std::filesystem::status(source, ec);
        if (!std::filesystem::exists(status))
            return E_FILE_NOT_FOUND;
        std::string error;
        const auto text = ReadWholeFile(source, kMaxExchangeFileBytes, error);
        if (!text) // not a regular file, too large, or not readable by us
            return std::filesystem::is_regular_file(status) && ::access(source.c_str(), R_OK) != 0 ? E_ACCESSDENIED
                                                                                                   : E_INVALID_DATA;
        return decode(*text, error) ? S_OK : E_INVALID_DATA;
    }

    HRESULT GetWord(std::string_view operation, uint32_t DeviceImage::*field, uint32_t* out)
    {
        if (!out)
            return E_POINTER;
        return channel_->Read(operation, [&](const DeviceImage& image) {
            *out = image.*field;
            return S_OK;
        });
    }
    HRESULT SetWord(std::string_view operation, uint32_t DeviceImage::*field, uint32_t value, uint32_t minimum,
                    uint32_t maximum)
    {
        return channel_->Change(operation, [&](DeviceImage& image) {
            if (value < minimum || value > maximum)
                return E_INVALIDARG;
            image.*field = value;
            return S_OK;
        });
    }

    Channel channel_;
};

} // namespace

IDeviceObject* NewDeviceObject(Channel channel)
{
    return MakeComObject<DeviceObject>(std::move(channel));
}

bool PathFromInterface(const char16_t* text, std::filesystem::path& path)
{
    if (!text || !*text)
        return false;
    const std::u16string_view view(text);
    for (size_t i = 0; i < view.size(); ++i) {
        const char16_t c = view[i];
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 >= view.size() || view[i + 1] < 0xDC00 || view[i + 1] > 0xDFFF)
                return false;
            ++i;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return false;
        }
    }
    path = std::filesystem::path(Utf16ToUtf8(view));
    return true;
}

std::u16string DevicePathFor(uint32_t productId, const std::string& token)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer,
                  "\\\\?\\HID#VID_2E7A&PID_%04X#7&%.8s&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}", productId,
                  token.c_str());
    return Utf8ToUtf16(buffer);
}

} // namespace emulator
