// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/ConfigFile.h"

#include "ctl/CtlText.h"
#include "ctl/KeyText.h"
#include "ctl/Settings.h"
#include "device/MacroEventBlock.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"

#include <cstdio>
#include <set>

using emulator::JsonArray;
using emulator::JsonError;
using emulator::JsonObject;
using emulator::JsonValue;

namespace {

constexpr size_t kMaxProfiles = 5;
constexpr size_t kMaxMacros = 65535;
constexpr size_t kMaxProfileName = 127;

JsonValue ToJson(const SettingValue& value)
{
    switch (value.kind) {
    case SettingValue::Kind::Number:
        return JsonValue(int64_t(value.number));
    case SettingValue::Kind::Switch:
        return JsonValue(value.on);
    case SettingValue::Kind::Text:
    default:
        return JsonValue(*FromUtf8(value.text));
    }
}

// The value of a document entry in the words `set` takes.
std::string WordsOf(const JsonValue& value, const std::string& context)
{
    if (const bool* b = value.AsBool())
        return *b ? "on" : "off";
    if (const int64_t* n = value.AsInt())
        return std::to_string(*n);
    if (const std::u16string* s = value.AsString())
        return ToUtf8(*s);
    throw JsonError(context + ": a value must be a number, true/false or a string");
}

std::string ProductText(uint32_t productId)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04X", productId);
    return buffer;
}

// Macro events as the device gives them back, so that a comparison with events
// read from the device sees only real differences.
std::vector<MacroEvent> AsDeviceKeepsThem(const std::vector<MacroEvent>& events)
{
    const std::vector<uint8_t> block = BuildMacroEventBlock(events);
    std::optional<std::vector<MacroEvent>> parsed = ParseMacroEventBlock(block);
    return parsed ? *parsed : events;
}

const JsonObject& ObjectOf(const JsonValue& value, const std::string& context)
{
    const JsonObject* object = value.AsObject();
    if (!object)
        throw JsonError(context + " must be an object");
    return *object;
}

const JsonValue* Field(const JsonObject& object, std::string_view key)
{
    for (const auto& [name, value] : object) {
        if (name == key)
            return &value;
    }
    return nullptr;
}

std::u16string NameField(const JsonObject& object, const std::string& context, size_t maxLength)
{
    const JsonValue* value = Field(object, "name");
    const std::u16string* name = value ? value->AsString() : nullptr;
    if (!name || name->empty() || name->size() > maxLength || name->find(u'\0') != std::u16string::npos)
        throw JsonError(context + ": \"name\" must be a non-empty string of at most " + std::to_string(maxLength) +
                        " characters");
    return *name;
}

struct MacroPlan {
    std::u16string name;
    std::vector<MacroEvent> events;
};

// Sets one setting to the document's words when it differs; throws on refusal.
void SetWhenDifferent(const Setting& setting, const SettingContext& context, const std::string& words,
                      const std::string& where, std::vector<std::string>& changes)
{
    const std::string before = setting.get(context).Words();
    if (before == words)
        return;
    const std::string refusal = setting.set(context, words);
    if (!refusal.empty())
        throw JsonError(where + refusal);
    changes.push_back(where + setting.name + ": " + ControlsEscaped(before) + " -> " +
                      ControlsEscaped(setting.get(context).Words()));
}

void ApplySettings(IMouseConfig& config, uint32_t productId, IMouseProfile* profile, const JsonObject& values,
                   bool perProfile, const std::string& where, std::vector<std::string>& changes)
{
    const std::vector<Setting> settings = SettingsFor(productId, profile);
    const SettingContext context{config, profile, productId};
    std::set<std::string> given;
    for (const auto& [key, value] : values) {
        if (perProfile && key == "name")
            continue;
        const Setting* setting = FindSetting(settings, key);
        if (!setting || setting->perProfile != perProfile)
            throw JsonError(where + "\"" + key + "\" is no setting of this product here");
        given.insert(key);
    }
    // In table order, the current sensitivity last: choosing a stage sets it too.
    for (int pass = 0; pass < 2; ++pass) {
        for (const Setting& setting : settings) {
            if (setting.perProfile != perProfile || !given.count(setting.name))
                continue;
            if ((setting.name == "sensitivity") != (pass == 1))
                continue;
            SetWhenDifferent(setting, context, WordsOf(*Field(values, setting.name), where + setting.name), where,
                             changes);
        }
    }
}

} // namespace

JsonValue ConfigurationDocument(IMouseConfig& config, uint32_t productId)
{
    JsonObject document;
    document.emplace_back("format", JsonValue(*FromUtf8(kDumpFormat)));
    document.emplace_back("version", JsonValue(int64_t(kDumpVersion)));
    document.emplace_back("product", JsonValue(*FromUtf8(ProductText(productId))));
    if (IMouseProfile* current = config.GetCurrentProfile())
        document.emplace_back("active-profile", JsonValue(current->GetName()));

    JsonObject device;
    for (const Setting& setting : SettingsFor(productId, nullptr)) {
        if (!setting.perProfile)
            device.emplace_back(setting.name, ToJson(setting.get(SettingContext{config, nullptr, productId})));
    }
    document.emplace_back("device", JsonValue(std::move(device)));

    JsonArray profiles;
    for (size_t i = 0; i < config.GetProfileCount(); ++i) {
        IMouseProfile* profile = config.GetProfile(i);
        JsonObject entry;
        entry.emplace_back("name", JsonValue(profile->GetName()));
        for (const Setting& setting : SettingsFor(productId, profile)) {
            if (setting.perProfile)
                entry.emplace_back(setting.name, ToJson(setting.get(SettingContext{config, profile, productId})));
        }
        profiles.emplace_back(std::move(entry));
    }
    document.emplace_back("profiles", JsonValue(std::move(profiles)));

    JsonArray macros;
    for (size_t i = 0; i < config.GetMacroCount(); ++i) {
        const CMacro* macro = config.GetMacro(i);
        JsonArray events;
        for (const MacroEvent& event : macro->GetEvents())
            events.emplace_back(*FromUtf8(MacroEventWords(event)));
        JsonObject entry;
        entry.emplace_back("name", JsonValue(macro->GetName()));
        entry.emplace_back("events", JsonValue(std::move(events)));
        macros.emplace_back(std::move(entry));
    }
    document.emplace_back("macros", JsonValue(std::move(macros)));
    return JsonValue(std::move(document));
}

bool ApplyDocument(IMouseConfig& config, uint32_t productId, const JsonValue& document,
                   std::vector<std::string>& changes, std::string& error)
{
    try {
        // --- read and check the whole document before anything changes ----------------
        const JsonObject& top = ObjectOf(document, "the file");
        const std::set<std::string> known = {"format", "version",  "product", "active-profile",
                                             "device", "profiles", "macros"};
        for (const auto& [key, value] : top) {
            if (!known.count(key))
                throw JsonError("the file: unknown entry \"" + key + "\"");
        }
        const JsonValue* format = Field(top, "format");
        if (!format || !format->AsString() || ToUtf8(*format->AsString()) != kDumpFormat)
            throw JsonError(std::string("the file: \"format\" must be \"") + kDumpFormat + "\"");
        const JsonValue* version = Field(top, "version");
        if (!version || !version->AsInt() || *version->AsInt() != kDumpVersion)
            throw JsonError("the file: \"version\" " + std::to_string(kDumpVersion) +
                            " is the only one this program reads");
        if (const JsonValue* product = Field(top, "product")) {
            if (!product->AsString() || ToUtf8(*product->AsString()) != ProductText(productId))
                throw JsonError("the file was written for product " +
                                (product->AsString() ? ToUtf8(*product->AsString()) : std::string("?")) +
                                ", the attached device is " + ProductText(productId));
        }

        std::vector<std::pair<std::u16string, const JsonObject*>> profilePlan;
        if (const JsonValue* profiles = Field(top, "profiles")) {
            const JsonArray* list = profiles->AsArray();
            if (!list || list->empty() || list->size() > kMaxProfiles)
                throw JsonError("the file: \"profiles\" must list 1.." + std::to_string(kMaxProfiles) + " profiles");
            for (size_t i = 0; i < list->size(); ++i) {
                const std::string where = "profile " + std::to_string(i + 1);
                const JsonObject& entry = ObjectOf((*list)[i], where);
                const std::u16string name = NameField(entry, where, kMaxProfileName);
                for (const auto& planned : profilePlan) {
                    if (SameIgnoringCase(planned.first, name))
                        throw JsonError(where + ": the name " + Quoted(name) + " is used twice");
                }
                profilePlan.emplace_back(name, &entry);
            }
        }
        std::optional<std::vector<MacroPlan>> macroPlan;
        if (const JsonValue* macros = Field(top, "macros")) {
            const JsonArray* list = macros->AsArray();
            if (!list || list->size() > kMaxMacros)
                throw JsonError("the file: \"macros\" must be a list of at most " + std::to_string(kMaxMacros) +
                                " macros");
            macroPlan.emplace();
            for (size_t i = 0; i < list->size(); ++i) {
                const std::string where = "macro " + std::to_string(i + 1);
                const JsonObject& entry = ObjectOf((*list)[i], where);
                for (const auto& [key, value] : entry) {
                    if (key != "name" && key != "events")
                        throw JsonError(where + ": unknown entry \"" + key + "\"");
                }
                MacroPlan plan;
                plan.name = NameField(entry, where, CMacro::kMaxNameLength);
                for (const MacroPlan& other : *macroPlan) {
                    if (SameIgnoringCase(other.name, plan.name))
                        throw JsonError(where + ": the name " + Quoted(plan.name) + " is used twice");
                }
                const JsonValue* events = Field(entry, "events");
                const JsonArray* eventList = events ? events->AsArray() : nullptr;
                if (!eventList)
                    throw JsonError(where + ": \"events\" must be a list of words");
                for (size_t e = 0; e < eventList->size(); ++e) {
                    const std::u16string* words = (*eventList)[e].AsString();
                    std::string why = "an event must be a string";
                    std::optional<MacroEvent> event = words ? ParseMacroEvent(*words, why) : std::nullopt;
                    if (!event)
                        throw JsonError(where + " event " + std::to_string(e + 1) + ": " + why);
                    plan.events.push_back(*event);
                }
                plan.events = AsDeviceKeepsThem(plan.events);
                macroPlan->push_back(std::move(plan));
            }
        }
        std::optional<std::u16string> active;
        if (const JsonValue* value = Field(top, "active-profile")) {
            if (!value->AsString())
                throw JsonError("the file: \"active-profile\" must be a profile's name");
            active = *value->AsString();
            bool found = profilePlan.empty() && config.FindProfileByName(*active);
            for (const auto& planned : profilePlan)
                found = found || SameIgnoringCase(planned.first, *active);
            if (!found)
                throw JsonError("the file: the active profile " + Quoted(*active) + " is not among its profiles");
        }

        // --- macros: by name ----------------------------------------------------------------
        if (macroPlan) {
            for (size_t i = config.GetMacroCount(); i-- > 0;) {
                CMacro* macro = config.GetMacro(i);
                bool kept = false;
                for (const MacroPlan& plan : *macroPlan)
                    kept = kept || SameIgnoringCase(plan.name, macro->GetName());
                if (!kept) {
                    changes.push_back("delete macro " + Quoted(macro->GetName()));
                    ResetAssignmentsToMacro(config, *macro);
                    config.DeleteMacro(macro);
                }
            }
            for (const MacroPlan& plan : *macroPlan) {
                CMacro* macro = nullptr;
                for (size_t i = 0; i < config.GetMacroCount() && !macro; ++i) {
                    if (SameIgnoringCase(config.GetMacro(i)->GetName(), plan.name))
                        macro = config.GetMacro(i);
                }
                if (!macro) {
                    macro = config.CreateMacro(plan.name);
                    if (!macro)
                        throw JsonError("macro " + Quoted(plan.name) + " cannot be created");
                    changes.push_back("create macro " + Quoted(plan.name));
                } else if (macro->GetName() != plan.name) {
                    changes.push_back("rename macro " + Quoted(macro->GetName()) + " to " + Quoted(plan.name));
                    macro->SetName(plan.name);
                }
                if (macro->GetEvents() != plan.events) {
                    changes.push_back("macro " + Quoted(plan.name) + ": events " +
                                      std::to_string(macro->GetEvents().size()) + " -> " +
                                      std::to_string(plan.events.size()));
                    macro->SetEvents(plan.events);
                }
            }
        }

        // --- profiles: by position ----------------------------------------------------------
        if (!profilePlan.empty()) {
            while (config.GetProfileCount() > profilePlan.size()) {
                IMouseProfile* surplus = config.GetProfile(config.GetProfileCount() - 1);
                changes.push_back("delete profile " + Quoted(surplus->GetName()));
                ResetAssignmentsTo(config, surplus);
                const bool wasCurrent = config.GetCurrentProfile() == surplus;
                config.DeleteProfile(surplus);
                if (wasCurrent)
                    config.SetCurrentProfile(config.GetProfile(0));
            }
            for (size_t i = 0; i < profilePlan.size(); ++i) {
                const std::u16string& name = profilePlan[i].first;
                if (i < config.GetProfileCount()) {
                    IMouseProfile* profile = config.GetProfile(i);
                    if (profile->GetName() != name) {
                        changes.push_back("rename profile " + Quoted(profile->GetName()) + " to " + Quoted(name));
                        const bool wasCurrent = config.GetCurrentProfile() == profile;
                        IMouseProfile* renamed = config.RenameProfile(profile, name.c_str());
                        if (!renamed)
                            throw JsonError("profile " + Quoted(name) + " cannot be renamed");
                        if (wasCurrent)
                            config.SetCurrentProfile(renamed);
                    }
                } else {
                    IMouseProfile* created = config.CreateProfile(name);
                    if (!created)
                        throw JsonError("profile " + Quoted(name) + " cannot be created");
                    TakeDeviceSensitivityRange(config, *created);
                    changes.push_back("create profile " + Quoted(name));
                }
            }
        }

        // --- values -----------------------------------------------------------------------
        if (const JsonValue* device = Field(top, "device"))
            ApplySettings(config, productId, nullptr, ObjectOf(*device, "device"), false, "device ", changes);
        for (size_t i = 0; i < profilePlan.size(); ++i) {
            IMouseProfile* profile = config.GetProfile(i);
            ApplySettings(config, productId, profile, *profilePlan[i].second, true,
                          "profile " + Quoted(profile->GetName()) + ": ", changes);
        }
        if (active) {
            IMouseProfile* wanted = config.FindProfileByName(*active);
            if (wanted && wanted != config.GetCurrentProfile()) {
                const IMouseProfile* before = config.GetCurrentProfile();
                changes.push_back("active profile " + (before ? Quoted(before->GetName()) : std::string("none")) +
                                  " -> " + Quoted(wanted->GetName()));
                config.SetCurrentProfile(wanted);
            }
        }
        return true;
    } catch (const JsonError& e) {
        error = e.what();
        return false;
    }
}
