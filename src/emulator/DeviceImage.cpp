// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/DeviceImage.h"

#include "device/server/IDeviceMacros.h"
#include "device/server/IDeviceProfileProperties.h"
#include "device/server/IDeviceProfiles.h"
#include "device/server/IDeviceStatus.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace emulator {

namespace {

uint32_t ReadWord(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void WriteWord(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

uint16_t ReadHalf(const uint8_t* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

void WriteHalf(uint8_t* p, uint16_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

bool AllZero(const uint8_t* p, size_t n)
{
    return std::all_of(p, p + n, [](uint8_t b) { return b == 0; });
}

// A mouse-function record (action type 1) with the given code.
ButtonRecord MouseFunction(uint32_t code)
{
    ButtonRecord record;
    WriteWord(record.bytes, 1);
    WriteWord(record.bytes + 8, 1);
    WriteWord(record.bytes + 12, code);
    return record;
}

bool HasNul(std::u16string_view text)
{
    return text.find(u'\0') != std::u16string_view::npos;
}

} // namespace

ProfileImage* DeviceImage::FindProfile(const GUID& id)
{
    for (auto& p : profiles)
        if (p.id == id)
            return &p;
    return nullptr;
}

const ProfileImage* DeviceImage::FindProfile(const GUID& id) const
{
    return const_cast<DeviceImage*>(this)->FindProfile(id);
}

MacroImage* DeviceImage::FindMacro(const GUID& id)
{
    for (auto& m : macros)
        if (m.id == id)
            return &m;
    return nullptr;
}

const MacroImage* DeviceImage::FindMacro(const GUID& id) const
{
    return const_cast<DeviceImage*>(this)->FindMacro(id);
}

ProfileImage FactoryProfile(const ProductInfo& product, std::u16string name)
{
    ProfileImage p;
    p.id = GUID::Generate();
    p.name = std::move(name);
    p.options = kOptionSensitivityOsd | kOptionProfileOsd;
    // Default functions: left click, menu, universal scrolling, back, forward,
    // stage up, stage down, scroll up, scroll down.
    p.buttons[ButtonBit(1)] = MouseFunction(1);
    p.buttons[ButtonBit(2)] = MouseFunction(2);
    p.buttons[ButtonBit(3)] = MouseFunction(3);
    p.buttons[ButtonBit(4)] = MouseFunction(5);
    p.buttons[ButtonBit(5)] = MouseFunction(4);
    p.buttons[ButtonBit(10)] = MouseFunction(9);
    p.buttons[ButtonBit(11)] = MouseFunction(10);
    p.buttons[ButtonBit(12)] = MouseFunction(6);
    p.buttons[ButtonBit(13)] = MouseFunction(7);
    const uint32_t currentStages[] = {800, 1800, 4000, 5600, 6400};
    const uint32_t legacyStages[] = {800, 1200, 1800, 4000, 5600};
    for (const uint32_t dpi : product.currentGeneration ? currentStages : legacyStages)
        p.stages.push_back({dpi, dpi});
    p.stagesInUse = uint32_t(p.stages.size());
    p.currentStage = product.currentGeneration ? 2 : 3;
    p.sensitivity = {1800, 1800};
    for (const uint32_t number : product.lights) {
        LightImage light;
        light.number = number;
        light.on = true;
        light.colour = number == 1 ? 0xFF0000 : 0;
        p.lights.push_back(light);
    }
    return p;
}

DeviceImage FactoryImage(const ProductInfo& product)
{
    DeviceImage image;
    image.productId = product.productId;
    std::copy(std::begin(product.firmware), std::end(product.firmware), image.firmware);
    RestoreFactorySettings(image);
    return image;
}

void RestoreFactorySettings(DeviceImage& image)
{
    const ProductInfo* product = FindProduct(image.productId);
    if (!product)
        return;
    image.profiles.clear();
    image.profiles.push_back(FactoryProfile(*product, u"PROFILE01"));
    image.activeProfile = image.profiles.front().id;
    image.macros.clear();
    image.reportInterval = 2;
    image.accelerationOn = false;
    image.accelerationLevel = 5;
    image.calibrationOn = false;
    image.liftOffMode = 1;
    image.liftOff = 20;
    image.batteryWarning = 12; // 5 % of the 0..255 battery scale, truncated
    image.dimBrightness = 158;
    image.sleepTimeout = 60;
}

std::string CheckStageUse(uint32_t count, uint32_t inUse, uint32_t separate)
{
    if (inUse < 1 || inUse > count)
        return "stages in use outside the stages";
    const uint32_t all = count >= 32 ? ~0u : (1u << count) - 1;
    if (separate & ~all)
        return "separate axes of a stage that does not exist";
    return {};
}

std::string CheckButtonRecord(const ButtonRecord& record)
{
    const uint8_t* b = record.bytes;
    if (AllZero(b, kButtonRecordSize))
        return {};
    if (ReadWord(b) != 1 || ReadWord(b + 4) != 0)
        return "button record does not start with 1, 0";
    const uint32_t action = ReadWord(b + 8);
    const uint32_t first = ReadWord(b + 12);
    switch (action) {
    case 1:
        if (first > 11 || !AllZero(b + 16, 16))
            return "unknown mouse function";
        return {};
    case 3:
        if (first < 1 || first > 3 || (first != 3 && !AllZero(b + 16, 16)))
            return "unknown profile switch";
        return {};
    case 4:
        if (first != 4 || !AllZero(b + 16, 8) || !AllZero(b + 28, 4))
            return "malformed temporary sensitivity";
        return {};
    case 5: // key, modifiers, and the key's virtual-key code at 18
        if (!AllZero(b + 20, 12))
            return "malformed single key";
        return {};
    case 6:
        if (!AllZero(b + 12, 20))
            return "malformed advanced function";
        return {};
    case 8:
        if (b[28] > 4 || !AllZero(b + 30, 2))
            return "malformed macro assignment";
        return {};
    case 9:
        if (!AllZero(b + 28, 4))
            return "malformed program launch";
        return {};
    case 12:
        if (first != 3)
            return "malformed key map";
        return {};
    case 2:
    case 7:
    case 10:
    case 11:
        return {};
    default:
        return "unknown action type " + std::to_string(action);
    }
}

std::string CheckStagePair(const ProductInfo& product, SensitivityPair pair)
{
    for (const uint32_t v : {pair.x, pair.y})
        if (v < kMinimumSensitivity || v > product.maximumSensitivity)
            return "sensitivity " + std::to_string(v) + " outside " + std::to_string(kMinimumSensitivity) + ".." +
                   std::to_string(product.maximumSensitivity);
    return {};
}

std::string CheckProfileName(std::u16string_view name)
{
    if (name.size() > kMaxProfileNameLength)
        return "profile name longer than " + std::to_string(kMaxProfileNameLength) + " characters";
    if (HasNul(name))
        return "profile name contains a zero character";
    return {};
}

std::string CheckProgramPath(std::u16string_view path)
{
    if (path.size() * 2 >= kProgramPathBytes)
        return "program path longer than 127 characters";
    if (HasNul(path))
        return "program path contains a zero character";
    return {};
}

std::string CheckMacroName(std::u16string_view name)
{
    if (name.size() > kMaxMacroNameLength)
        return "macro name longer than " + std::to_string(kMaxMacroNameLength) + " characters";
    if (HasNul(name))
        return "macro name contains a zero character";
    return {};
}

std::string CheckMacroEvent(const MacroEvent& e)
{
    switch (e.type) {
    case kMacroEventMouseButton: {
        const uint32_t button = e.code & 0x7F;
        if (button < 1 || button > 5 || (e.code & 0xFF00) != 0 || e.flags != 0 || e.milliseconds != 0)
            return "unknown mouse-button event";
        return {};
    }
    case kMacroEventKeystroke:
        if ((e.flags & ~(kMacroKeyRelease | kMacroKeyExtended)) != 0 || e.milliseconds != 0)
            return "malformed keystroke event";
        return {};
    case kMacroEventDelay:
        if (e.code != 0 || e.flags != 0)
            return "malformed delay event";
        return {};
    default:
        return "unknown event type " + std::to_string(e.type);
    }
}

bool IsValidReportInterval(uint32_t milliseconds)
{
    return milliseconds == 1 || milliseconds == 2 || milliseconds == 8;
}

std::string CheckProfile(const ProductInfo& product, const ProfileImage& p)
{
    if (p.id.IsNull())
        return "profile without an id";
    if (auto why = CheckProfileName(p.name); !why.empty())
        return why;
    if (auto why = CheckProgramPath(p.programPath); !why.empty())
        return why;
    if (p.options & ~(kOptionAutoSwitch | kOptionSensitivityOsd | kOptionProfileOsd))
        return "unknown option bits";
    uint32_t mask = 0;
    for (const auto& [bit, record] : p.buttons) {
        if ((bit & kButtonMask) == 0 || (bit & (bit - 1)) != 0)
            return "unknown button " + std::to_string(bit);
        mask |= bit;
        if (auto why = CheckButtonRecord(record); !why.empty())
            return why;
    }
    if (mask != kButtonMask)
        return "buttons missing";
    if (p.stages.empty() || p.stages.size() > kMaxSensitivityStages)
        return "stage count outside 1..10";
    for (const auto& stage : p.stages)
        if (auto why = CheckStagePair(product, stage); !why.empty())
            return why;
    if (p.currentStage < 1 || p.currentStage > p.stages.size())
        return "current stage outside the stages";
    if (auto why = CheckStageUse(uint32_t(p.stages.size()), p.stagesInUse, p.separateStages); !why.empty())
        return why;
    if (auto why = CheckStagePair(product, p.sensitivity); !why.empty())
        return why;
    if (p.lights.size() != product.lights.size())
        return "lights do not match the product";
    for (size_t i = 0; i < p.lights.size(); ++i) {
        const LightImage& light = p.lights[i];
        if (light.number != product.lights[i])
            return "lights do not match the product";
        if (light.brightness > 100)
            return "light brightness above 100";
        if (light.effect > 5)
            return "unknown light effect";
    }
    return {};
}

std::string CheckMacro(const MacroImage& m)
{
    if (m.id.IsNull())
        return "macro without an id";
    if (auto why = CheckMacroName(m.name); !why.empty())
        return why;
    if (m.events.size() > kMaxMacroEvents)
        return "more than " + std::to_string(kMaxMacroEvents) + " events";
    for (const auto& e : m.events)
        if (auto why = CheckMacroEvent(e); !why.empty())
            return why;
    return {};
}

std::string CheckImage(const DeviceImage& image)
{
    const ProductInfo* product = FindProduct(image.productId);
    if (!product)
        return "unknown product";
    if (image.profiles.empty() || image.profiles.size() > kMaxDeviceProfiles)
        return "profile count outside 1..5";
    std::set<GUID> ids;
    for (const auto& p : image.profiles) {
        if (auto why = CheckProfile(*product, p); !why.empty())
            return why;
        if (!ids.insert(p.id).second)
            return "two profiles with one id";
    }
    if (!image.FindProfile(image.activeProfile))
        return "active profile not on the device";
    if (image.macros.size() > kMaxDeviceMacros)
        return "too many macros";
    ids.clear();
    for (const auto& m : image.macros) {
        if (auto why = CheckMacro(m); !why.empty())
            return why;
        if (!ids.insert(m.id).second)
            return "two macros with one id";
    }
    if (!IsValidReportInterval(image.reportInterval))
        return "unknown report interval";
    if (image.accelerationLevel < 1 || image.accelerationLevel > 10)
        return "acceleration level outside 1..10";
    if (image.liftOffMode != 1 && image.liftOffMode != 2)
        return "unknown lift-off mode";
    if (image.liftOff > 100)
        return "lift-off outside 0..100";
    if (image.batteryWarning > 255 || image.dimBrightness > 255)
        return "power value outside 0..255";
    if (image.sleepTimeout < 1 || image.sleepTimeout > 3600)
        return "sleep timeout outside 1..3600";
    if (image.batteryLevel > 255)
        return "battery level outside 0..255";
    if (image.chargingState > kChargingComplete)
        return "unknown charging state";
    if (image.stateFlag != 0 && image.stateFlag != 1)
        return "unknown state flag";
    return {};
}

std::vector<uint8_t> EncodeEventBlock(const std::vector<MacroEvent>& events)
{
    std::vector<uint8_t> block(MacroEventBlockSize(uint32_t(events.size())), 0);
    WriteWord(block.data() + 4, uint32_t(events.size()));
    for (size_t i = 0; i < events.size(); ++i) {
        uint8_t* e = block.data() + 8 + 8 * i;
        WriteWord(e, events[i].type);
        if (events[i].type == kMacroEventDelay) {
            WriteWord(e + 4, events[i].milliseconds);
        } else {
            WriteHalf(e + 4, events[i].code);
            WriteHalf(e + 6, events[i].flags);
        }
    }
    return block;
}

std::string DecodeEventBlock(const uint8_t* block, uint32_t size, std::vector<MacroEvent>& events)
{
    if (!block)
        return "no event block";
    if (size < 16 || (size - 16) % 8 != 0)
        return "event block size is not count x 8 + 16";
    if (ReadWord(block) != 0)
        return "event block does not start with 0";
    const uint32_t count = ReadWord(block + 4);
    if (count != (size - 16) / 8)
        return "event count does not match the block size";
    if (count > kMaxMacroEvents)
        return "more than " + std::to_string(kMaxMacroEvents) + " events";
    if (!AllZero(block + size - 8, 8))
        return "event block does not end with 8 zero bytes";
    std::vector<MacroEvent> decoded;
    decoded.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* e = block + 8 + 8 * i;
        MacroEvent event;
        event.type = ReadWord(e);
        if (event.type == kMacroEventDelay) {
            event.milliseconds = ReadWord(e + 4);
        } else {
            event.code = ReadHalf(e + 4);
            event.flags = ReadHalf(e + 6);
        }
        if (auto why = CheckMacroEvent(event); !why.empty())
            return "event " + std::to_string(i + 1) + ": " + why;
        decoded.push_back(event);
    }
    events = std::move(decoded);
    return {};
}

} // namespace emulator
