// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/ImageReport.h"

#include "device/server/IDeviceMacros.h"
#include "device/server/IDeviceProfileProperties.h"
#include "emulator/Json.h"
#include "platform/core/KeyNames.h"
#include "platform/core/Utf.h"
#include "platform/core/WinTypes.h"

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

bool NeedsEscape(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 || c == 0x200E || c == 0x200F ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0x061C || c == 0xFEFF;
}

std::string Quoted(std::u16string_view text)
{
    return '"' + PrintableText(text, true) + '"';
}

// The colour word holds red in its low byte, as the window stores it; people
// pick and read colours as #RRGGBB.
std::string ColourText(uint32_t colour)
{
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", unsigned(GetRValue(colour)), unsigned(GetGValue(colour)),
                  unsigned(GetBValue(colour)));
    return text;
}

std::string KeyText(const MacroEvent& e)
{
    const bool extended = (e.flags & kMacroKeyExtended) != 0;
    const std::u16string name = e.code <= 0xFF ? KeyNameForScanCode(e.code, extended) : std::u16string();
    if (!name.empty())
        return Quoted(name);
    char code[24];
    std::snprintf(code, sizeof code, "scan 0x%02X%s", unsigned(e.code), extended ? "e" : "");
    return code;
}

} // namespace

std::string PrintableText(std::string_view utf8, bool quoted)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        const char32_t c = DecodeUtf8CodePoint(utf8, pos).value_or(0xFFFD);
        char escape[16];
        if (c == '\\' || (quoted && c == '"')) {
            out += '\\';
            out += char(c);
        } else if (c <= 0xFF && NeedsEscape(c)) {
            std::snprintf(escape, sizeof escape, "\\x%02X", unsigned(c));
            out += escape;
        } else if (NeedsEscape(c)) {
            std::snprintf(escape, sizeof escape, "\\u%04X", unsigned(c));
            out += escape;
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

std::string PrintableText(std::u16string_view text, bool quoted)
{
    return PrintableText(Utf16ToUtf8(text), quoted);
}

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
        out << "    " << (p.id == image.activeProfile ? "* " : "  ") << Quoted(p.name) << ' ' << p.id.ToString()
            << "\n";
        if (!p.programPath.empty())
            out << "        program " << Quoted(p.programPath) << "\n";
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
            out << "        light " << light.number << ": " << (light.on ? "on" : "off") << ", colour "
                << ColourText(light.colour) << ", brightness " << light.brightness << "%, effect " << light.effect
                << "\n";
        }
    }
    out << "  macros (" << image.macros.size() << "):\n";
    for (const MacroImage& m : image.macros) {
        out << "    " << Quoted(m.name) << ' ' << m.id.ToString() << ", " << m.events.size() << " events:";
        for (const MacroEvent& e : m.events) {
            if (e.type == kMacroEventDelay)
                out << " wait " << e.milliseconds << "ms";
            else if (e.type == kMacroEventKeystroke)
                out << " key " << KeyText(e) << ((e.flags & kMacroKeyRelease) ? " up" : " down");
            else
                out << " button " << (e.code & 0x7F) << ((e.code & 0x80) ? " up" : " down");
            out << ';';
        }
        out << "\n";
    }
    return out.str();
}

} // namespace emulator
