// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every value a device image holds, flattened to "where -> what", so that two
// images can be compared value by value and a difference names the value.
// Identities a device hands out anew on every run (profile and macro ids) are
// left out and the active profile is named by its position, so the images of
// two runs of the same change compare equal.
#include "emulator/DeviceImage.h"

#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>

using ImageFields = std::map<std::string, std::string>;

namespace imagefields_detail {

inline std::string Text(const std::u16string& text)
{
    std::string out;
    for (char16_t unit : text) {
        if (unit >= 0x20 && unit < 0x7F) {
            out += char(unit);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(unit));
            out += escaped;
        }
    }
    return out;
}

inline std::string Hex(const uint8_t* bytes, size_t size)
{
    std::string out;
    for (size_t i = 0; i < size; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", unsigned(bytes[i]));
        out += pair;
    }
    return out;
}

inline void AddProfile(ImageFields& fields, const std::string& at, const emulator::ProfileImage& profile)
{
    fields[at + " name"] = Text(profile.name);
    fields[at + " program"] = Text(profile.programPath);
    // Each option bit is a value of its own: the device is sent one bit at a time.
    for (int bit = 0; bit < 16; ++bit)
        if (profile.options & (1u << bit) || bit < 3)
            fields[at + " option " + std::to_string(bit)] = profile.options & (1u << bit) ? "on" : "off";
    for (const auto& [bit, record] : profile.buttons)
        fields[at + " button " + std::to_string(bit)] = Hex(record.bytes, sizeof record.bytes);
    std::ostringstream stages;
    for (const SensitivityPair& pair : profile.stages)
        stages << pair.x << 'x' << pair.y << ' ';
    fields[at + " stages"] = stages.str();
    fields[at + " stages in use"] = std::to_string(profile.stagesInUse);
    fields[at + " separate stages"] = std::to_string(profile.separateStages);
    fields[at + " current stage"] = std::to_string(profile.currentStage);
    fields[at + " sensitivity"] = std::to_string(profile.sensitivity.x) + 'x' + std::to_string(profile.sensitivity.y);
    for (const emulator::LightImage& light : profile.lights) {
        const std::string where = at + " light " + std::to_string(light.number);
        fields[where + " on"] = light.on ? "on" : "off";
        fields[where + " colour"] = std::to_string(light.colour);
        fields[where + " brightness"] = std::to_string(light.brightness);
        fields[where + " effect"] = std::to_string(light.effect);
    }
}

inline void AddMacro(ImageFields& fields, const std::string& at, const emulator::MacroImage& macro)
{
    fields[at + " name"] = Text(macro.name);
    std::ostringstream events;
    for (const emulator::MacroEvent& event : macro.events)
        events << event.type << ':' << event.code << ':' << event.flags << ':' << event.milliseconds << ' ';
    fields[at + " events"] = events.str();
}

} // namespace imagefields_detail

inline ImageFields FieldsOf(const emulator::DeviceImage& image)
{
    using namespace imagefields_detail;
    ImageFields fields;
    fields["profile count"] = std::to_string(image.profiles.size());
    fields["macro count"] = std::to_string(image.macros.size());
    std::string active = "none";
    for (size_t i = 0; i < image.profiles.size(); ++i) {
        if (image.profiles[i].id == image.activeProfile)
            active = std::to_string(i);
        AddProfile(fields, "profile " + std::to_string(i), image.profiles[i]);
    }
    fields["active profile"] = active;
    for (size_t i = 0; i < image.macros.size(); ++i)
        AddMacro(fields, "macro " + std::to_string(i), image.macros[i]);
    fields["report interval"] = std::to_string(image.reportInterval);
    fields["acceleration"] = image.accelerationOn ? "on" : "off";
    fields["acceleration level"] = std::to_string(image.accelerationLevel);
    fields["calibration"] = image.calibrationOn ? "on" : "off";
    fields["lift-off mode"] = std::to_string(image.liftOffMode);
    fields["lift-off"] = std::to_string(image.liftOff);
    fields["battery warning"] = std::to_string(image.batteryWarning);
    fields["dim brightness"] = std::to_string(image.dimBrightness);
    fields["sleep timeout"] = std::to_string(image.sleepTimeout);
    fields["battery level"] = std::to_string(image.batteryLevel);
    fields["charging state"] = std::to_string(image.chargingState);
    return fields;
}

// The values of `after` that differ from `before` (or that only one of them has),
// one line each, for a failure message; empty when the two hold the same.
inline std::string DescribeDifferences(const ImageFields& before, const ImageFields& after)
{
    std::set<std::string> keys;
    for (const auto& entry : before)
        keys.insert(entry.first);
    for (const auto& entry : after)
        keys.insert(entry.first);
    std::string out;
    for (const std::string& key : keys) {
        const auto was = before.find(key);
        const auto is = after.find(key);
        const std::string wasText = was == before.end() ? "(absent)" : was->second;
        const std::string isText = is == after.end() ? "(absent)" : is->second;
        if (wasText != isText)
            out += "  " + key + ": " + wasText + " -> " + isText + "\n";
    }
    return out;
}

// The values of `image` that are neither what `before` held nor what `after`
// holds, one line each; empty when every value is one or the other. Profiles and
// macros that `before` lacks may also hold what the device gives a profile or
// macro it has just made, as a write makes them first and fills them after.
inline std::string DescribeTornValues(const emulator::DeviceImage& before, const emulator::DeviceImage& after,
                                      const emulator::DeviceImage& image, const emulator::ProductInfo& product)
{
    using namespace imagefields_detail;
    const ImageFields was = FieldsOf(before);
    const ImageFields will = FieldsOf(after);
    const ImageFields is = FieldsOf(image);
    ImageFields blank;
    for (size_t i = before.profiles.size(); i < image.profiles.size(); ++i)
        AddProfile(blank, "profile " + std::to_string(i), emulator::FactoryProfile(product, u""));
    for (size_t i = before.macros.size(); i < image.macros.size(); ++i)
        AddMacro(blank, "macro " + std::to_string(i), emulator::MacroImage{});
    std::string out;
    for (const auto& [key, value] : is) {
        const auto matches = [&](const ImageFields& fields) {
            const auto found = fields.find(key);
            return found != fields.end() && found->second == value;
        };
        if (matches(was) || matches(will) || matches(blank))
            continue;
        out += "  " + key + ": " + value + " (was " + (was.count(key) ? was.at(key) : "absent") + ", will be " +
               (will.count(key) ? will.at(key) : "absent") + ")\n";
    }
    for (const auto& [key, value] : was) {
        if (!is.count(key) && !will.count(key))
            continue; // gone in both, as it should
        if (!is.count(key))
            out += "  " + key + ": lost (was " + value + ")\n";
    }
    return out;
}

// Takes out the profiles and macros a write made but could not fill before the
// device went away (no name; a macro also no events), as the device keeps them;
// returns how many.
inline size_t RemoveHalfMadeItems(emulator::DeviceImage& image)
{
    const size_t before = image.profiles.size() + image.macros.size();
    std::erase_if(image.profiles, [&](const emulator::ProfileImage& profile) {
        return profile.name.empty() && profile.id != image.activeProfile;
    });
    std::erase_if(image.macros,
                  [](const emulator::MacroImage& macro) { return macro.name.empty() && macro.events.empty(); });
    return before - image.profiles.size() - image.macros.size();
}
