// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/ImageReport.h"

#include "device/server/IDeviceMacros.h"
#include "device/server/IDeviceProfileProperties.h"
#include "emulator/Json.h"
#include "platform/core/Utf.h"

#include <cstdio>
#include <sstream>

namespace emulator {

namespace {

std::string Hex(const uint8_t* bytes, size_t n)
{
    std::string text;
    char buffer[4];
    for (size_t i = 0; i < n; ++i) {
        std::snprintf(buffer, sizeof buffer, "%02X", bytes[i]);
        text += buffer;
        if (i % 4 == 3 && i + 1 < n)
            text += ' ';
    }
    return text;
}

const char* ChargingText(uint32_t state)
{
    switch (state) {
    case 0:
        return "not charging";
    case 1:
        return "charging";
    case 2:
        return "charged";
    default:
        return "unknown";
    }
}

// A stage with separate axes shows both, even when they are equal.
std::string Stage(SensitivityPair pair, bool separate = false)
{
    return pair.x == pair.y && !separate ? std::to_string(pair.x)
                                         : std::to_string(pair.x) + "x" + std::to_string(pair.y);
}

} // namespace

std::string DescribeImage(const DeviceImage& image)
{
    const ProductInfo* product = FindProduct(image.productId);
    std::ostringstream out;
    char id[16];
    std::snprintf(id, sizeof id, "0x%04X", image.productId);
    out << (product ? Utf16ToUtf8(product->displayName) : std::string("unknown product")) << " (" << id << ")\n";
    out << "  firmware " << image.firmware[0] << '.' << image.firmware[1] << '.' << image.firmware[2] << '.'
        << image.firmware[3] << "\n";
    out << "  battery " << image.batteryLevel << "/255, " << ChargingText(image.chargingState) << "\n";
    out << "  state flag " << image.stateFlag << "\n";
    out << "  report interval " << image.reportInterval << " ms\n";
    out << "  acceleration " << (image.accelerationOn ? "on" : "off") << ", level " << image.accelerationLevel << "\n";
    if (!product || product->hasCalibration)
        out << "  surface calibration " << (image.calibrationOn ? "on" : "off") << ", lift-off "
            << (image.liftOffMode == 1 ? "automatic" : "manual") << ", distance " << image.liftOff << "\n";
    if (!product || product->hasPower)
        out << "  power: battery warning " << image.batteryWarning << "/255, dimmed brightness " << image.dimBrightness
            << ", sleep after " << image.sleepTimeout << " s\n";
    out << "  profiles (" << image.profiles.size() << "):\n";
    for (const ProfileImage& p : image.profiles) {
        out << "    " << (p.id == image.activeProfile ? "* " : "  ") << '"' << Utf16ToUtf8(p.name) << "\" "
            << p.id.ToString() << "\n";
        if (!p.programPath.empty())
            out << "        program " << Utf16ToUtf8(p.programPath) << "\n";
        out << "        options:" << (p.options & kOptionAutoSwitch ? " auto-switch" : "")
            << (p.options & kOptionSensitivityOsd ? " sensitivity-display" : "")
            << (p.options & kOptionProfileOsd ? " profile-display" : "") << (p.options == 0 ? " none" : "") << "\n";
        out << "        stages:";
        for (size_t i = 0; i < p.stages.size(); ++i)
            out << ' ' << (i + 1 == p.currentStage ? "[" : "")
                << Stage(p.stages[i], (p.separateStages & StageBit(uint32_t(i + 1))) != 0)
                << (i + 1 == p.currentStage ? "]" : "");
        out << ", " << p.stagesInUse << " in use; sensitivity " << Stage(p.sensitivity) << "\n";
        for (const auto& [bit, record] : p.buttons) {
            int button = 1;
            while ((1u << (button - 1)) != bit)
                ++button;
            out << "        button " << button << ": " << Hex(record.bytes, kButtonRecordSize) << "\n";
        }
        for (const LightImage& light : p.lights) {
            char colour[16];
            std::snprintf(colour, sizeof colour, "0x%06X", light.colour);
            out << "        light " << light.number << ": " << (light.on ? "on" : "off") << ", colour " << colour
                << ", brightness " << light.brightness << "%, effect " << light.effect << "\n";
        }
    }
    out << "  macros (" << image.macros.size() << "):\n";
    for (const MacroImage& m : image.macros) {
        out << "    \"" << Utf16ToUtf8(m.name) << "\" " << m.id.ToString() << ", " << m.events.size() << " events:";
        for (const MacroEvent& e : m.events) {
            if (e.type == kMacroEventDelay)
                out << " wait " << e.milliseconds << "ms";
            else if (e.type == kMacroEventKeystroke)
                out << " key " << e.code << ((e.flags & kMacroKeyExtended) ? "e" : "")
                    << ((e.flags & kMacroKeyRelease) ? " up" : " down");
            else
                out << " button " << (e.code & 0x7F) << ((e.code & 0x80) ? " up" : " down");
            out << ';';
        }
        out << "\n";
    }
    return out.str();
}

} // namespace emulator
