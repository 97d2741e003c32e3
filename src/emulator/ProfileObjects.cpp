// SPDX-License-Identifier: GPL-3.0-or-later
// One stored profile (with its buttons, sensitivity, properties and lights) and
// one light with its colour, brightness and effect.
#include "emulator/ImageCodec.h"
#include "emulator/Operations.h"
#include "emulator/ServerObjects.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComRuntime.h"
#include "platform/core/AtomicFile.h"

#include <algorithm>
#include <cstring>

namespace emulator {

namespace {

class ProfileObject final
    : public ComObject<IDeviceProfile, IDeviceButtons, IDeviceSensitivity, IDeviceProfileProperties, IDeviceLighting> {
public:
    ProfileObject(Channel channel, const GUID& id) : channel_(std::move(channel)), id_(id) {}

    const DeviceChannel& channel() const { return *channel_; }
    const GUID& id() const { return id_; }

    // IDeviceProfile
    HRESULT GetIndex(uint32_t* index) override
    {
        if (!index)
            return E_POINTER;
        return channel_->Read(op::ProfileGetIndex, [&](const DeviceImage& image) {
            for (size_t i = 0; i < image.profiles.size(); ++i) {
                if (image.profiles[i].id == id_) {
                    *index = uint32_t(i);
                    return S_OK;
                }
            }
            return E_NOT_FOUND;
        });
    }
    HRESULT GetId(GUID* id) override
    {
        if (!id)
            return E_POINTER;
        return ReadProfile(op::ProfileGetId, [&](const DeviceImage&, const ProfileImage&) {
            *id = id_;
            return S_OK;
        });
    }
    HRESULT GetName(char16_t** name) override
    {
        if (!name)
            return E_POINTER;
        *name = nullptr;
        return ReadProfile(op::ProfileGetName, [&](const DeviceImage&, const ProfileImage& p) {
            *name = CoTaskMemDupString(p.name);
            return *name ? S_OK : E_OUTOFMEMORY;
        });
    }
    HRESULT SetName(const char16_t* name) override
    {
        if (!name)
            return E_POINTER;
        const std::u16string text(name);
        if (!CheckProfileName(text).empty())
            return E_INVALIDARG;
        return ChangeProfile(op::ProfileSetName, [&](DeviceImage&, ProfileImage& p) {
            p.name = text;
            return S_OK;
        });
    }
    HRESULT IsActive(int32_t* active) override
    {
        if (!active)
            return E_POINTER;
        return ReadProfile(op::ProfileIsActive, [&](const DeviceImage& image, const ProfileImage&) {
            *active = image.activeProfile == id_ ? 1 : 0;
            return S_OK;
        });
    }
    HRESULT ExportToFile(const char16_t* path) override
    {
        std::filesystem::path target;
        if (!PathFromInterface(path, target))
            return E_INVALIDARG;
        return ReadProfile(op::ProfileExport, [&](const DeviceImage& image, const ProfileImage& p) {
            std::string error;
            if (!WriteFileAtomically(target, EncodeProfileFile(image.productId, p), error))
                return E_ACCESSDENIED;
            return S_OK;
        });
    }

    // IDeviceButtons
    HRESULT GetButton(uint32_t button, ButtonRecord* record) override
    {
        if (!record)
            return E_POINTER;
        return ReadProfile(op::ButtonsGet, [&](const DeviceImage&, const ProfileImage& p) {
            const auto found = p.buttons.find(button);
            if (found == p.buttons.end())
                return E_NOT_FOUND;
            *record = found->second;
            return S_OK;
        });
    }
    HRESULT SetButton(uint32_t button, const ButtonRecord* record) override
    {
        if (!record)
            return E_POINTER;
        const ButtonRecord copy = *record;
        const bool valid = CheckButtonRecord(copy).empty();
        return ChangeProfile(op::ButtonsSet, [&](DeviceImage&, ProfileImage& p) {
            const auto found = p.buttons.find(button);
            if (found == p.buttons.end())
                return E_NOT_FOUND;
            if (!valid)
                return E_INVALIDARG;
            found->second = copy;
            return S_OK;
        });
    }
    HRESULT GetButtonList(uint32_t* count, uint32_t* mask) override
    {
        if (!count || !mask)
            return E_POINTER;
        return ReadProfile(op::ButtonsGetList, [&](const DeviceImage&, const ProfileImage& p) {
            uint32_t bits = 0;
            for (const auto& entry : p.buttons)
                bits |= entry.first;
            *count = uint32_t(p.buttons.size());
            *mask = bits;
            return S_OK;
        });
    }

    // IDeviceSensitivity
    HRESULT GetRange(uint32_t* minimum, uint32_t* maximum, uint32_t* step) override
    {
        if (!minimum || !maximum || !step)
            return E_POINTER;
        return ReadProfile(op::SensitivityGetRange, [&](const DeviceImage&, const ProfileImage&) {
            *minimum = kMinimumSensitivity;
            *maximum = channel_->product().maximumSensitivity;
            *step = kSensitivityStep;
            return S_OK;
        });
    }
    HRESULT SetSensitivity(uint32_t x, uint32_t y) override
    {
        const bool valid = CheckStagePair(channel_->product(), {x, y}).empty();
        return ChangeProfile(op::SensitivitySet, [&](DeviceImage&, ProfileImage& p) {
            if (!valid)
                return E_INVALIDARG;
            p.sensitivity = {x, y};
            return S_OK;
        });
    }
    HRESULT GetStages(SensitivityStages* stages) override
    {
        if (!stages)
            return E_POINTER;
        return ReadProfile(op::SensitivityGetStages, [&](const DeviceImage&, const ProfileImage& p) {
            *stages = SensitivityStages{};
            stages->count = uint32_t(p.stages.size());
            stages->inUse = p.stagesInUse;
            stages->separate = p.separateStages;
            stages->current = p.currentStage;
            stages->minimum = kMinimumSensitivity;
            stages->maximum = channel_->product().maximumSensitivity;
            stages->step = kSensitivityStep;
            std::copy(p.stages.begin(), p.stages.end(), stages->stages);
            return S_OK;
        });
    }
    HRESULT GetCurrentStage(uint32_t* stage) override
    {
        if (!stage)
            return E_POINTER;
        return ReadProfile(op::SensitivityGetStage, [&](const DeviceImage&, const ProfileImage& p) {
            *stage = p.currentStage;
            return S_OK;
        });
    }
    HRESULT SetCurrentStage(uint32_t stage) override
    {
        return ChangeProfile(op::SensitivitySetStage, [&](DeviceImage&, ProfileImage& p) {
            if (stage < 1 || stage > p.stages.size())
                return E_INVALIDARG;
            p.currentStage = stage;
            return S_OK;
        });
    }
    HRESULT GetStageCount(uint32_t* count) override
    {
        if (!count)
            return E_POINTER;
        return ReadProfile(op::SensitivityGetStageCount, [&](const DeviceImage&, const ProfileImage& p) {
            *count = uint32_t(p.stages.size());
            return S_OK;
        });
    }
    HRESULT SetStages(uint32_t count, uint32_t inUse, uint32_t separate, const uint32_t* pairs) override
    {
        bool valid =
            count >= 1 && count <= kMaxSensitivityStages && pairs && CheckStageUse(count, inUse, separate).empty();
        std::vector<SensitivityPair> stages;
        for (uint32_t i = 0; valid && i < count; ++i) {
            stages.push_back({pairs[2 * i], pairs[2 * i + 1]});
            valid = CheckStagePair(channel_->product(), stages.back()).empty();
        }
        return ChangeProfile(op::SensitivitySetStages, [&](DeviceImage&, ProfileImage& p) {
            if (!valid)
                return E_INVALIDARG;
            p.stages = stages;
            p.stagesInUse = inUse;
            p.separateStages = separate;
            p.currentStage = std::min<uint32_t>(p.currentStage, count);
            return S_OK;
        });
    }
    HRESULT GetSensitivity(uint32_t* value, uint32_t* x, uint32_t* y) override
    {
        if (!value || !x || !y)
            return E_POINTER;
        return ReadProfile(op::SensitivityGet, [&](const DeviceImage&, const ProfileImage& p) {
            *value = p.sensitivity.x;
            *x = p.sensitivity.x;
            *y = p.sensitivity.y;
            return S_OK;
        });
    }

    // IDeviceProfileProperties
    HRESULT GetProperty(uint32_t id, uint32_t, void* buffer, uint32_t, uint32_t* size) override
    {
        if (!size)
            return E_POINTER;
        uint32_t needed;
        if (id == kPropertyProgramPath)
            needed = kProgramPathBytes;
        else if (id == kPropertyOptions)
            needed = 2;
        else
            return ReadProfile(op::PropertiesGet, [](const DeviceImage&, const ProfileImage&) { return E_NOT_FOUND; });
        if (!buffer || *size < needed) {
            *size = needed;
            return ReadProfile(op::PropertiesGet, [](const DeviceImage&, const ProfileImage&) { return E_INVALIDARG; });
        }
        return ReadProfile(op::PropertiesGet, [&](const DeviceImage&, const ProfileImage& p) {
            auto* bytes = static_cast<uint8_t*>(buffer);
            if (id == kPropertyProgramPath) {
                std::memset(bytes, 0, kProgramPathBytes);
                for (size_t i = 0; i < p.programPath.size(); ++i) {
                    bytes[2 * i] = uint8_t(p.programPath[i]);
                    bytes[2 * i + 1] = uint8_t(p.programPath[i] >> 8);
                }
            } else {
                bytes[0] = uint8_t(p.options);
                bytes[1] = uint8_t(p.options >> 8);
            }
            *size = needed;
            return S_OK;
        });
    }
    HRESULT SetProperty(uint32_t id, const void* buffer, uint32_t, uint32_t size, uint32_t) override
    {
        const auto* bytes = static_cast<const uint8_t*>(buffer);
        if (id == kPropertyProgramPath) {
            std::u16string path;
            bool valid = bytes && size == kProgramPathBytes;
            if (valid) {
                size_t i = 0;
                for (; i < kProgramPathBytes / 2; ++i) {
                    const auto unit = char16_t(bytes[2 * i] | bytes[2 * i + 1] << 8);
                    if (unit == 0)
                        break;
                    path.push_back(unit);
                }
                valid = i < kProgramPathBytes / 2 && CheckProgramPath(path).empty();
            }
            return ChangeProfile(op::PropertiesSet, [&](DeviceImage&, ProfileImage& p) {
                if (!valid)
                    return E_INVALIDARG;
                p.programPath = path;
                return S_OK;
            });
        }
        if (id == kPropertyOptions) {
            const bool valid = bytes && size == 4;
            const uint16_t mask = valid ? uint16_t(bytes[0] | bytes[1] << 8) : 0;
            const uint16_t value = valid ? uint16_t(bytes[2] | bytes[3] << 8) : 0;
            const uint16_t known = kOptionAutoSwitch | kOptionSensitivityOsd | kOptionProfileOsd;
            return ChangeProfile(op::PropertiesSet, [&](DeviceImage&, ProfileImage& p) {
                if (!valid || (mask & ~known) != 0)
                    return E_INVALIDARG;
                p.options = uint16_t((p.options & ~mask) | (value & mask));
                return S_OK;
            });
        }
        return ChangeProfile(op::PropertiesSet, [](DeviceImage&, ProfileImage&) { return E_NOT_FOUND; });
    }

    // IDeviceLighting
    HRESULT GetLight(uint32_t index, IDeviceLight** light) override
    {
        if (!light)
            return E_POINTER;
        *light = nullptr;
        uint32_t number = 0;
        const HRESULT hr = ReadProfile(op::LightingGetLight, [&](const DeviceImage&, const ProfileImage& p) {
            if (index >= p.lights.size())
                return E_BOUNDS;
            number = p.lights[index].number;
            return S_OK;
        });
        if (SUCCEEDED(hr))
            *light = NewLightObject(channel_, id_, number);
        return hr;
    }
    HRESULT GetLightCount(uint32_t* count) override
    {
        if (!count)
            return E_POINTER;
        return ReadProfile(op::LightingGetCount, [&](const DeviceImage&, const ProfileImage& p) {
            *count = uint32_t(p.lights.size());
            return S_OK;
        });
    }

private:
    template <typename F>
    HRESULT ReadProfile(std::string_view operation, F&& read)
    {
        return channel_->Read(operation, [&](const DeviceImage& image) -> HRESULT {
            const ProfileImage* p = image.FindProfile(id_);
            return p ? read(image, *p) : E_NOT_FOUND;
        });
    }
    template <typename F>
    HRESULT ChangeProfile(std::string_view operation, F&& change)
    {
        return channel_->Change(operation, [&](DeviceImage& image) -> HRESULT {
            ProfileImage* p = image.FindProfile(id_);
            return p ? change(image, *p) : E_NOT_FOUND;
        });
    }

    Channel channel_;
    GUID id_;
};

class LightObject final
    : public ComObject<IDeviceLight, IDeviceLightColour, IDeviceLightBrightness, IDeviceLightEffect> {
public:
    LightObject(Channel channel, const GUID& profileId, uint32_t number)
        : channel_(std::move(channel)), profileId_(profileId), number_(number)
    {
    }

    HRESULT TurnOn() override
    {
        return ChangeLight(op::LightTurnOn, [](LightImage& l) {
            l.on = true;
            return S_OK;
        });
    }
    HRESULT TurnOff() override
    {
        return ChangeLight(op::LightTurnOff, [](LightImage& l) {
            l.on = false;
            return S_OK;
        });
    }
    HRESULT IsOn(int32_t* on) override
    {
        if (!on)
            return E_POINTER;
        return ReadLight(op::LightIsOn, [&](const LightImage& l) {
            *on = l.on ? 1 : 0;
            return S_OK;
        });
    }
    HRESULT GetNumber(uint32_t* number) override
    {
        if (!number)
            return E_POINTER;
        return ReadLight(op::LightGetNumber, [&](const LightImage& l) {
            *number = l.number;
            return S_OK;
        });
    }
    HRESULT SetColour(uint32_t colour) override
    {
        return ChangeLight(op::LightSetColour, [&](LightImage& l) {
            l.colour = colour;
            return S_OK;
        });
    }
    HRESULT GetColour(uint32_t* colour) override
    {
        if (!colour)
            return E_POINTER;
        return ReadLight(op::LightGetColour, [&](const LightImage& l) {
            *colour = l.colour;
            return S_OK;
        });
    }
    HRESULT SetBrightness(uint32_t percent) override
    {
        return ChangeLight(op::LightSetBrightness, [&](LightImage& l) {
            if (percent > 100)
                return E_INVALIDARG;
            l.brightness = percent;
            return S_OK;
        });
    }
    HRESULT GetBrightness(uint32_t* percent) override
    {
        if (!percent)
            return E_POINTER;
        return ReadLight(op::LightGetBrightness, [&](const LightImage& l) {
            *percent = l.brightness;
            return S_OK;
        });
    }
    HRESULT SetEffect(uint32_t effect) override
    {
        return ChangeLight(op::LightSetEffect, [&](LightImage& l) {
            if (effect > 5)
                return E_INVALIDARG;
            l.effect = effect;
            return S_OK;
        });
    }
    HRESULT GetEffect(uint32_t* effect) override
    {
        if (!effect)
            return E_POINTER;
        return ReadLight(op::LightGetEffect, [&](const LightImage& l) {
            *effect = l.effect;
            return S_OK;
        });
    }

private:
    template <typename F>
    HRESULT ReadLight(std::string_view operation, F&& read)
    {
        return channel_->Read(operation, [&](const DeviceImage& image) -> HRESULT {
            const ProfileImage* p = image.FindProfile(profileId_);
            if (!p)
                return E_NOT_FOUND;
            for (const LightImage& l : p->lights)
                if (l.number == number_)
                    return read(l);
            return E_NOT_FOUND;
        });
    }
    template <typename F>
    HRESULT ChangeLight(std::string_view operation, F&& change)
    {
        return channel_->Change(operation, [&](DeviceImage& image) -> HRESULT {
            ProfileImage* p = image.FindProfile(profileId_);
            if (!p)
                return E_NOT_FOUND;
            for (LightImage& l : p->lights)
                if (l.number == number_)
                    return change(l);
            return E_NOT_FOUND;
        });
    }

    Channel channel_;
    GUID profileId_;
    uint32_t number_;
};

bool SameDevice(const DeviceChannel& a, const DeviceChannel& b)
{
    return &a == &b ||
           (a.product().productId == b.product().productId && a.settings().directory == b.settings().directory);
}

} // namespace

IDeviceProfile* NewProfileObject(Channel channel, const GUID& profileId)
{
    return MakeComObject<ProfileObject>(std::move(channel), profileId);
}

IDeviceLight* NewLightObject(Channel channel, const GUID& profileId, uint32_t number)
{
    return MakeComObject<LightObject>(std::move(channel), profileId, number);
}

const GUID* ProfileIdOf(IDeviceProfile* profile, const DeviceChannel& channel)
{
    const auto* object = dynamic_cast<ProfileObject*>(profile);
    if (!object || !SameDevice(object->channel(), channel))
        return nullptr;
    return &object->id();
}

} // namespace emulator
