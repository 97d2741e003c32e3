// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/Ctl.h"

#include "ctl/ButtonText.h"
#include "ctl/ConfigFile.h"
#include "ctl/CtlDevice.h"
#include "ctl/CtlText.h"
#include "ctl/KeyText.h"
#include "ctl/Settings.h"
#include "device/BatteryStatus.h"
#include "device/DeviceDescriptor.h"
#include "device/FileVersions.h"
#include "device/Mouse.h"
#include "device/ServerAccess.h"
#include "emulator/EmulatedDeviceServer.h"
#include "platform/com/ComRuntime.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

using emulator::JsonArray;
using emulator::JsonObject;
using emulator::JsonValue;

namespace {

constexpr const char* kJsonSchema = "zemko-tovik-ctl";
constexpr int kJsonVersion = 1;
constexpr size_t kMaxProfiles = 5;
constexpr size_t kMaxMacros = 65535;

struct Options {
    bool json = false;
    std::optional<std::string> profile;
    std::chrono::milliseconds busyWait{0};
    std::vector<std::string> words; // the command and its arguments
};

// What every command needs: where to print and the options.
struct Run {
    FILE* out;
    FILE* err;
    Options options;

    int Fail(int code, const std::string& message) const
    {
        std::fprintf(err, "zemko-tovik-ctl: %s\n", message.c_str());
        return code;
    }
    void Print(const std::string& line) const { std::fprintf(out, "%s\n", line.c_str()); }
    void PrintJson(JsonObject object) const
    {
        object.insert(object.begin(), {"version", JsonValue(int64_t(kJsonVersion))});
        object.insert(object.begin(), {"schema", JsonValue(*FromUtf8(kJsonSchema))});
        std::fputs(emulator::WriteJson(JsonValue(std::move(object))).c_str(), out);
    }
};

struct CommandHelp {
    const char* name;
    const char* usage;
    const char* text;
};

const CommandHelp kCommands[] = {
    {"list", "list",
     "Lists the attached products: mouse or dock, generation, firmware and driver versions,\n"
     "battery level and charging state."},
    {"show", "show",
     "Prints every setting: the active profile; per profile its stages, sensitivity,\n"
     "buttons, lights, linked program and switching; device-wide values; macros.\n"
     "With --profile NAME only that profile (and the device-wide values)."},
    {"get", "get KEY",
     "Prints one setting (see `keys`); per-profile keys read the active profile\n"
     "or the one named with --profile."},
    {"set", "set KEY VALUE...",
     "Changes one setting on the device; a value that is out of range or not\n"
     "allowed changes nothing (exit 2). Words after KEY form the value."},
    {"keys", "keys", "Lists every setting with the values it takes."},
    {"profile",
     "profile list|create NAME|rename NAME NEW|copy NAME [NEW]|delete NAME|activate NAME|\n"
     "                restore-defaults NAME|export NAME FILE|import FILE",
     "Manages the profiles on the device (at most 5; names are unique ignoring case; the first\n"
     "profile cannot be deleted)."},
    {"macro", "macro list|show NAME|rename NAME NEW|delete NAME|export NAME FILE|import FILE",
     "Manages the macros on the device (names unique ignoring case, at most 255 characters)."},
    {"dump", "dump [FILE]", "Writes the whole configuration as a JSON file (standard output without FILE)."},
    {"diff", "diff FILE", "Prints what differs between the device and FILE, one line each."},
    {"apply", "apply FILE [--dry-run]",
     "Makes the device match FILE, writing only the differences, and prints\n"
     "what changed; --dry-run prints it and writes nothing."},
};

void PrintUsage(FILE* to)
{
    std::fputs("usage: zemko-tovik-ctl [--json] [--profile NAME] [--wait SECONDS] COMMAND [ARGUMENTS]\n"
               "       zemko-tovik-ctl --help | --version | COMMAND --help\n"
               "commands:\n",
               to);
    for (const CommandHelp& command : kCommands)
        std::fprintf(to, "  %s\n", command.usage);
    std::fputs("exit status: 0 done, 1 the device refused or a write failed, 2 usage or a bad value\n"
               "(nothing written), 3 no mouse, 4 busy (another program's write did not end in time).\n",
               to);
}

int PrintCommandHelp(const Run& run, const std::string& name)
{
    for (const CommandHelp& command : kCommands) {
        if (name == command.name) {
            std::fprintf(run.out, "usage: zemko-tovik-ctl [OPTIONS] %s\n%s\n", command.usage, command.text);
            return ExitCode::Done;
        }
    }
    return run.Fail(ExitCode::Usage, "no command \"" + name + "\"");
}

int PrintVersion(const Run& run)
{
    CFileVersions versions;
    versions.SetToModulePath();
    if (!versions.Read())
        return run.Fail(ExitCode::Refused, "this executable carries no version block");
    run.Print("zemko-tovik-ctl " + ToUtf8(versions.ProductVersion()));
    return ExitCode::Done;
}

std::string ProductText(uint32_t productId)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04X", productId);
    return buffer;
}

std::string DriverVersion()
{
    CFileVersions versions;
    versions.SetToModulePath();
    if (!versions.Read())
        return "0.00";
    const auto& parts = versions.ProductVersionParts();
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s.%02d", ToUtf8(parts[0]).c_str(), std::atoi(ToUtf8(parts[1]).c_str()));
    return buffer;
}

const char* ChargingWords(int32_t state)
{
    switch (state) {
    case 0:
        return "on battery";
    case 1:
        return "charging";
    case 2:
        return "full";
    default:
        return "unknown";
    }
}

// --- list --------------------------------------------------------------------------------

int List(const Run& run)
{
    CComThreadScope com;
    emulator::RegisterEmulatedDeviceServer();
    ComPtr<IDeviceEnumerator> enumerator;
    if (FAILED(CreateDeviceEnumerator(enumerator)) || !enumerator)
        return run.Fail(ExitCode::NoMouse, "the device server cannot be reached");
    JsonArray devices;
    for (uint32_t productId : ListProductIds(enumerator.Get())) {
        const DeviceDescriptor* descriptor = FindSupportedDevice(productId);
        if (!descriptor)
            continue;
        const bool dock = IsChargingDock(productId);
        const char* generation = IsEarlierGeneration(productId) ? "earlier" : "current";
        std::string firmware = "unknown";
        if (std::optional<FirmwareVersion> version = ReadFirmwareVersion(productId)) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%u.%02u", version->major, version->minor);
            firmware = buffer;
        }
        std::optional<BatteryStatus> battery = ReadBatteryStatus(DeviceCodeForProductId(productId));
        JsonObject entry;
        entry.emplace_back("product", JsonValue(*FromUtf8(ProductText(productId))));
        entry.emplace_back("kind", JsonValue(std::u16string(dock ? u"dock" : u"mouse")));
        entry.emplace_back("generation", JsonValue(*FromUtf8(generation)));
        entry.emplace_back("name", JsonValue(std::u16string(descriptor->displayName)));
        entry.emplace_back("firmware", JsonValue(*FromUtf8(firmware)));
        entry.emplace_back("driver", JsonValue(*FromUtf8(DriverVersion())));
        entry.emplace_back("battery",
                           battery && battery->storeLevel ? JsonValue(int64_t(battery->level)) : JsonValue());
        entry.emplace_back("charging",
                           JsonValue(*FromUtf8(battery ? ChargingWords(battery->chargingState) : "unknown")));
        if (!run.options.json) {
            run.Print(ProductText(productId) + "  " + (dock ? "dock " : "mouse") + "  " + generation + "  firmware " +
                      firmware + "  driver " + DriverVersion() + "  battery " +
                      (battery && battery->storeLevel ? std::to_string(battery->level) : std::string("unknown")) +
                      "  " + (battery ? ChargingWords(battery->chargingState) : "unknown") + "  " +
                      Quoted(descriptor->displayName));
        }
        devices.emplace_back(std::move(entry));
    }
    if (run.options.json) {
        JsonObject top;
        top.emplace_back("devices", JsonValue(devices));
        run.PrintJson(std::move(top));
    }
    if (devices.empty())
        return run.Fail(ExitCode::NoMouse, "no mouse or dock is attached");
    return ExitCode::Done;
}

// --- reading the device and choosing the profile ---------------------------------------------

struct Session {
    CComThreadScope com;
    CtlDevice device;
    explicit Session(std::chrono::milliseconds wait) : device(wait) {}
};

int OpenSession(const Run& run, Session& session)
{
    const int read = session.device.Read();
    if (read == ExitCode::NoMouse)
        return run.Fail(read, "no mouse is attached");
    if (read != ExitCode::Done)
        return run.Fail(read, "the device could not be read");
    return ExitCode::Done;
}

// The profile named with --profile, else the active one; null (with a message)
// when the name names none.
IMouseProfile* ChosenProfile(const Run& run, IMouseConfig& config)
{
    if (!run.options.profile)
        return config.GetCurrentProfile() ? config.GetCurrentProfile() : config.GetProfile(0);
    std::optional<std::u16string> name = FromUtf8(*run.options.profile);
    IMouseProfile* profile = name ? config.FindProfileByName(*name) : nullptr;
    if (!profile)
        run.Fail(ExitCode::Usage, "no profile is named \"" + *run.options.profile + "\" (see: profile list)");
    return profile;
}

IMouseProfile* FindProfile(const IMouseConfig& config, const std::u16string& name)
{
    return config.FindProfileByName(name);
}

CMacro* FindMacro(const IMouseConfig& config, const std::u16string& name)
{
    for (size_t i = 0; i < config.GetMacroCount(); ++i) {
        if (SameIgnoringCase(config.GetMacro(i)->GetName(), name))
            return config.GetMacro(i);
    }
    return nullptr;
}

int WriteResult(const Run& run, int code)
{
    switch (code) {
    case ExitCode::Done:
        return code;
    case ExitCode::Busy:
        return run.Fail(code, "another program is writing the device and did not finish in time; nothing was changed");
    case ExitCode::NoMouse:
        return run.Fail(code, "the mouse went away; the change may not have arrived");
    default:
        return run.Fail(code, "the device refused the write");
    }
}

// --- show --------------------------------------------------------------------------------

void ShowSettings(const Run& run, IMouseConfig& config, uint32_t productId, IMouseProfile* profile, bool perProfile,
                  const std::string& indent)
{
    for (const Setting& setting : SettingsFor(productId, profile)) {
        if (setting.perProfile != perProfile)
            continue;
        const std::string words = setting.get(SettingContext{config, profile, productId}).Words();
        run.Print(indent + setting.name + (words.empty() ? "" : " " + ControlsEscaped(words)));
    }
}

int Show(const Run& run)
{
    Session session(run.options.busyWait);
    if (int code = OpenSession(run, session))
        return code;
    IMouseConfig& config = session.device.Config();
    const uint32_t productId = session.device.ProductId();
    IMouseProfile* only = nullptr;
    if (run.options.profile && !(only = ChosenProfile(run, config)))
        return ExitCode::Usage;
    std::u16string firmware;
    session.device.Picker().GetFirmwareVersion(firmware);
    const bool batteryKnown = config.GetChargingState() >= 0;
    const int64_t batteryLevel = batteryKnown ? int64_t(config.GetBatteryLevel()) : 0;

    if (run.options.json) {
        JsonValue document = ConfigurationDocument(config, productId);
        JsonObject top;
        for (const auto& [key, value] : *document.AsObject()) {
            if (key == "format" || key == "version")
                continue;
            if (key == "profiles" && only) {
                JsonArray chosen;
                for (const JsonValue& entry : *value.AsArray()) {
                    if (*(*entry.AsObject())[0].second.AsString() == only->GetName())
                        chosen.push_back(entry);
                }
                top.emplace_back(key, JsonValue(chosen));
                continue;
            }
            top.emplace_back(key, value);
        }
        top.emplace_back("name", JsonValue(session.device.Picker().GetDisplayName()));
        top.emplace_back("firmware", JsonValue(firmware));
        top.emplace_back("battery", batteryKnown ? JsonValue(batteryLevel) : JsonValue());
        top.emplace_back("charging", JsonValue(*FromUtf8(ChargingWords(config.GetChargingState()))));
        run.PrintJson(std::move(top));
        return ExitCode::Done;
    }
    run.Print("product " + ProductText(productId) + " " + Quoted(session.device.Picker().GetDisplayName()));
    run.Print("firmware " + ToUtf8(firmware));
    run.Print("battery " + (batteryKnown ? std::to_string(batteryLevel) : std::string("unknown")) + " " +
              ChargingWords(config.GetChargingState()));
    if (IMouseProfile* active = config.GetCurrentProfile())
        run.Print("active-profile " + Quoted(active->GetName()));
    ShowSettings(run, config, productId, nullptr, false, "");
    for (size_t i = 0; i < config.GetProfileCount(); ++i) {
        IMouseProfile* profile = config.GetProfile(i);
        if (only && profile != only)
            continue;
        run.Print("profile " + std::to_string(i + 1) + " " + Quoted(profile->GetName()) +
                  (profile == config.GetCurrentProfile() ? " active" : ""));
        ShowSettings(run, config, productId, profile, true, "  ");
    }
    for (size_t i = 0; i < config.GetMacroCount(); ++i) {
        const CMacro* macro = config.GetMacro(i);
        run.Print("macro " + Quoted(macro->GetName()) + " " + std::to_string(macro->GetEvents().size()) + " events");
        for (const MacroEvent& event : macro->GetEvents())
            run.Print("  " + MacroEventWords(event));
    }
    return ExitCode::Done;
}

// --- keys, get, set ------------------------------------------------------------------------

int Keys(const Run& run)
{
    Session session(run.options.busyWait);
    if (int code = OpenSession(run, session))
        return code;
    IMouseConfig& config = session.device.Config();
    IMouseProfile* profile = ChosenProfile(run, config);
    if (!profile)
        return ExitCode::Usage;
    for (const Setting& setting : SettingsFor(session.device.ProductId(), profile)) {
        std::string allowed = setting.allowed;
        for (size_t at = 0; (at = allowed.find('\n', at)) != std::string::npos;)
            allowed.replace(at, 1, " ");
        run.Print(setting.name + (setting.perProfile ? "  (profile)  " : "  (device)  ") + allowed);
    }
    return ExitCode::Done;
}

int Get(const Run& run, const std::vector<std::string>& args)
{
    if (args.size() != 1)
        return run.Fail(ExitCode::Usage, "usage: get KEY (see: keys)");
    Session session(run.options.busyWait);
    if (int code = OpenSession(run, session))
        return code;
    IMouseConfig& config = session.device.Config();
    IMouseProfile* profile = ChosenProfile(run, config);
    if (!profile)
        return ExitCode::Usage;
    const std::vector<Setting> settings = SettingsFor(session.device.ProductId(), profile);
    const Setting* setting = FindSetting(settings, args[0]);
    if (!setting)
        return run.Fail(ExitCode::Usage, "no setting \"" + args[0] + "\" on this product (see: keys)");
    const SettingValue value = setting->get(SettingContext{config, profile, session.device.ProductId()});
    if (run.options.json) {
        JsonObject top;
        top.emplace_back("key", JsonValue(*FromUtf8(setting->name)));
        if (setting->perProfile)
            top.emplace_back("profile", JsonValue(profile->GetName()));
        JsonValue json = value.kind == SettingValue::Kind::Number   ? JsonValue(int64_t(value.number))
                         : value.kind == SettingValue::Kind::Switch ? JsonValue(value.on)
                                                                    : JsonValue(*FromUtf8(value.text));
        top.emplace_back("value", json);
        run.PrintJson(std::move(top));
    } else {
        run.Print(ControlsEscaped(value.Words()));
    }
    return ExitCode::Done;
}

// After a write, reads the device again and checks that `check` holds there.
int Verify(const Run& run, Session& session, const std::function<std::string(IMouseConfig&)>& check)
{
    std::unique_ptr<CTovikEliteConfig> fresh = session.device.ReadAgain();
    if (!fresh)
        return run.Fail(ExitCode::Refused, "the device could not be read back after the write");
    const std::string problem = check(*fresh);
    if (!problem.empty())
        return run.Fail(ExitCode::Refused, "the device did not keep the change: " + problem);
    return ExitCode::Done;
}

int Set(const Run& run, const std::vector<std::string>& args)
{
    if (args.size() < 2)
        return run.Fail(ExitCode::Usage, "usage: set KEY VALUE... (see: keys)");
    std::string value;
    for (size_t i = 1; i < args.size(); ++i)
        value += (i > 1 ? " " : "") + args[i];
    if (!FromUtf8(value))
        return run.Fail(ExitCode::Usage, "the value is not valid UTF-8");
    Session session(run.options.busyWait);
    if (int code = OpenSession(run, session))
        return code;
    IMouseConfig& config = session.device.Config();
    IMouseProfile* profile = ChosenProfile(run, config);
    if (!profile)
        return ExitCode::Usage;
    const uint32_t productId = session.device.ProductId();
    const std::vector<Setting> settings = SettingsFor(productId, profile);
    const Setting* setting = FindSetting(settings, args[0]);
    if (!setting)
        return run.Fail(ExitCode::Usage, "no setting \"" + args[0] + "\" on this product (see: keys)");
    const SettingContext context{config, profile, productId};
    const std::string refusal = setting->set(context, value);
    if (!refusal.empty())
        return run.Fail(ExitCode::Usage, refusal);
    const std::string wanted = setting->get(context).Words();
    if (int code = WriteResult(run, session.device.Write()))
        return code;
    const std::u16string profileName = profile->GetName();
    const std::string key = setting->name;
    return Verify(run, session, [&](IMouseConfig& fresh) -> std::string {
        IMouseProfile* again = setting->perProfile ? fresh.FindProfileByName(profileName) : nullptr;
        if (setting->perProfile && !again)
            return "the profile is gone";
        const std::vector<Setting> list = SettingsFor(productId, again);
        const Setting* same = FindSetting(list, key);
        const std::string now = same ? same->get(SettingContext{fresh, again, productId}).Words() : std::string();
        return now == wanted ? std::string() : key + " reads " + now + ", not " + wanted;
    });
}

// --- profiles ------------------------------------------------------------------------------

std::optional<std::u16string> NameArgument(const Run& run, const std::string& text, size_t maxLength, const char* what)
{
    std::optional<std::u16string> name = FromUtf8(text);
    if (!name || name->empty() || name->size() > maxLength || name->find(u'\0') != std::u16string::npos) {
        run.Fail(ExitCode::Usage, std::string(what) + " names are 1.." + std::to_string(maxLength) + " characters");
        return std::nullopt;
    }
    return name;
}

// "<base>(n)" for the smallest n from 2 to 99 that no profile bears, the base cut
// to 18 characters when it is longer than 19, as the window names a copy.
std::optional<std::u16string> FreeCopyName(const IMouseConfig& config, std::u16string base)
{
    if (base.size() > 19)
        base.resize(18);
    for (int n = 2; n <= 99; ++n) {
        const std::string number = "(" + std::to_string(n) + ")";
        std::u16string candidate = base + std::u16string(number.begin(), number.end());
        if (!config.FindProfileByName(candidate))
            return candidate;
    }
    return std::nullopt;
}

int ProfileCommand(const Run& run, const std::vector<std::string>& args)
{
    if (args.empty())
        return run.Fail(ExitCode::Usage,
                        "usage: profile list|create|rename|copy|delete|activate|restore-defaults|export|import");
    const std::string& verb = args[0];
    struct Arity {
        const char* verb;
        size_t minimum, maximum;
    };
    static const Arity kArity[] = {{"list", 0, 0},   {"create", 1, 1},   {"rename", 2, 2},           {"copy", 1, 2},
                                   {"delete", 1, 1}, {"activate", 1, 1}, {"restore-defaults", 1, 1}, {"export", 2, 2},
                                   {"import", 1, 1}};
    const Arity* arity = nullptr;
    for (const Arity& a : kArity) {
        if (verb == a.verb)
            arity = &a;
    }
    if (!arity)
        return run.Fail(ExitCode::Usage, "no profile command \"" + verb + "\"");
    if (args.size() - 1 < arity->minimum || args.size() - 1 > arity->maximum)
        return run.Fail(ExitCode::Usage, "wrong number of arguments for profile " + verb);

    Session session(run.options.busyWait);
    if (int code = OpenSession(run, session))
        return code;
    IMouseConfig& config = session.device.Config();
    CMousePicker& device = session.device.Picker();
    constexpr size_t kNameLength = 127;

    if (verb == "list") {
        JsonArray list;
        for (size_t i = 0; i < config.GetProfileCount(); ++i) {
            IMouseProfile* p = config.GetProfile(i);
            const bool active = p == config.GetCurrentProfile();
            if (run.options.json) {
                JsonObject entry;
                entry.emplace_back("position", JsonValue(int64_t(i + 1)));
                entry.emplace_back("name", JsonValue(p->GetName()));
                entry.emplace_back("active", JsonValue(active));
                entry.emplace_back("program", JsonValue(p->GetLinkedProgramPath()));
                entry.emplace_back("auto-switch", JsonValue(p->GetAutoSwitch()));
                list.emplace_back(std::move(entry));
            } else {
                char position[24];
                std::snprintf(position, sizeof position, "%02zu", i + 1);
                run.Print(std::string(position) + " " + (active ? "* " : "  ") + Quoted(p->GetName()) +
                          (p->GetLinkedProgramPath().empty() ? "" : " program " + Quoted(p->GetLinkedProgramPath())) +
                          (p->GetAutoSwitch() ? " auto-switch" : ""));
            }
        }
        if (run.options.json) {
            JsonObject top;
            top.emplace_back("profiles", JsonValue(list));
            run.PrintJson(std::move(top));
        }
        return ExitCode::Done;
    }

    if (verb == "import") {
        if (config.GetProfileCount() >= kMaxProfiles)
            return run.Fail(ExitCode::Usage, "the device holds 5 profiles already, the most it can");
        if (!std::filesystem::is_regular_file(args[1]))
            return run.Fail(ExitCode::Usage, "cannot read " + args[1]);
        const std::u16string path = *FromUtf8(std::filesystem::absolute(args[1]).string());
        if (!device.ImportProfile(path, &config))
            return run.Fail(ExitCode::Refused, "the device refused the profile file " + args[1]);
        IMouseProfile* imported = config.GetProfile(config.GetProfileCount() - 1);
        run.Print("imported profile " + Quoted(imported->GetName()));
        return ExitCode::Done;
    }

    std::optional<std::u16string> name = NameArgument(run, args[1], kNameLength, "profile");
    if (!name)
        return ExitCode::Usage;
    IMouseProfile* profile = nullptr;
    if (verb != "create") {
        profile = FindProfile(config, *name);
        if (!profile)
            return run.Fail(ExitCode::Usage, "no profile is named " + Quoted(*name) + " (see: profile list)");
    }
    std::function<std::string(IMouseConfig&)> check;
    if (verb == "create") {
        if (config.GetProfileCount() >= kMaxProfiles)
            return run.Fail(ExitCode::Usage, "the device holds 5 profiles already, the most it can");
        if (IMouseProfile* taken = FindProfile(config, *name))
            return run.Fail(ExitCode::Usage, "a profile is named " + Quoted(taken->GetName()) + " already");
        IMouseProfile* created = config.CreateProfile(*name);
        if (!created)
            return run.Fail(ExitCode::Usage, "the profile cannot be created");
        TakeDeviceSensitivityRange(config, *created);
        const std::u16string wanted = *name;
        check = [wanted](IMouseConfig& fresh) {
            return fresh.FindProfileByName(wanted) ? std::string() : "the profile is not there";
        };
    } else if (verb == "rename") {
        std::optional<std::u16string> newName = NameArgument(run, args[2], kNameLength, "profile");
        if (!newName)
            return ExitCode::Usage;
        // Another profile's name, or this one's in other letter case, as the window refuses.
        if (IMouseProfile* taken = FindProfile(config, *newName))
            return run.Fail(ExitCode::Usage, "a profile is named " + Quoted(taken->GetName()) + " already");
        const bool wasCurrent = config.GetCurrentProfile() == profile;
        IMouseProfile* renamed = config.RenameProfile(profile, newName->c_str());
        if (!renamed)
            return run.Fail(ExitCode::Usage, "the profile cannot be renamed");
        if (wasCurrent)
            config.SetCurrentProfile(renamed);
        const std::u16string wanted = *newName;
        check = [wanted](IMouseConfig& fresh) {
            IMouseProfile* p = fresh.FindProfileByName(wanted);
            return p && p->GetName() == wanted ? std::string() : "the new name is not there";
        };
    } else if (verb == "copy") {
        if (config.GetProfileCount() >= kMaxProfiles)
            return run.Fail(ExitCode::Usage, "the device holds 5 profiles already, the most it can");
        std::optional<std::u16string> copyName;
        if (args.size() == 3) {
            copyName = NameArgument(run, args[2], kNameLength, "profile");
            if (!copyName)
                return ExitCode::Usage;
            if (IMouseProfile* taken = FindProfile(config, *copyName))
                return run.Fail(ExitCode::Usage, "a profile is named " + Quoted(taken->GetName()) + " already");
        } else {
            copyName = FreeCopyName(config, profile->GetName());
            if (!copyName)
                return run.Fail(ExitCode::Usage, "every copy name of " + Quoted(profile->GetName()) + " is taken");
        }
        if (!config.CopyProfileAs(profile, copyName->c_str()))
            return run.Fail(ExitCode::Usage, "the profile cannot be copied");
        run.Print("copied to " + Quoted(*copyName));
        const std::u16string wanted = *copyName;
        check = [wanted](IMouseConfig& fresh) {
            return fresh.FindProfileByName(wanted) ? std::string() : "the copy is not there";
        };
    } else if (verb == "delete") {
        if (profile == config.GetProfile(0) || profile->GetGuid() == config.GetProfile(0)->GetGuid())
            return run.Fail(ExitCode::Usage, "the first profile cannot be deleted");
        ResetAssignmentsTo(config, profile);
        const bool wasCurrent = config.GetCurrentProfile() == profile;
        config.DeleteProfile(profile);
        if (wasCurrent || !config.GetCurrentProfile())
            config.SetCurrentProfile(config.GetProfile(0));
        const std::u16string gone = *name;
        check = [gone](IMouseConfig& fresh) {
            return fresh.FindProfileByName(gone) ? "the profile is still there" : std::string();
        };
    } else if (verb == "activate") {
        config.SetCurrentProfile(profile);
        const std::u16string wanted = profile->GetName();
        check = [wanted](IMouseConfig& fresh) {
            IMouseProfile* current = fresh.GetCurrentProfile();
            return current && current->GetName() == wanted ? std::string() : "another profile is active";
        };
    } else if (verb == "restore-defaults") {
        config.ResetToDefaults(profile);
        check = [](IMouseConfig&) { return std::string(); };
    } else if (verb == "export") {
        if (!device.HasDeviceProfile(profile))
            return run.Fail(ExitCode::Refused, "the device does not hold " + Quoted(profile->GetName()));
        const std::filesystem::path file(args[2]);
        const std::filesystem::path folder = std::filesystem::absolute(file).parent_path();
        if (std::filesystem::is_directory(file) || !std::filesystem::is_directory(folder))
            return run.Fail(ExitCode::Usage, "cannot write " + args[2]);
        if (!device.ExportProfile(*FromUtf8(std::filesystem::absolute(file).string()), profile))
            return run.Fail(ExitCode::Refused, "the device could not write the profile to " + args[2]);
        return ExitCode::Done;
    }
    if (int code = WriteResult(run, session.device.Write()))
        return code;
    return Verify(run, session, check);
}

// --- macros --------------------------------------------------------------------------------

int MacroCommand(const Run& run, const std::vector<std::string>& args)
{
    if (args.empty())
        return run.Fail(ExitCode::Usage, "usage: macro list|show|rename|delete|export|import");
    const std::string& verb = args[0];
    const std::map<std::string, size_t> arity = {{"list", 0},   {"show", 1},   {"rename", 2},
                                                 {"delete", 1}, {"export", 2}, {"import", 1}};
    auto known = arity.find(verb);
    if (known == arity.end())
        return run.Fail(ExitCode::Usage, "no macro command \"" + verb + "\"");
    if (args.size() - 1 != known->second)
        return run.Fail(ExitCode::Usage, "wrong number of arguments for macro " + verb);
    Session session(run.options.busyWait);
    if (int code = OpenSession(run, session))
        return code;
    IMouseConfig& config = session.device.Config();
    CMousePicker& device = session.device.Picker();

    if (verb == "list") {
        JsonArray list;
        for (size_t i = 0; i < config.GetMacroCount(); ++i) {
            const CMacro* macro = config.GetMacro(i);
            if (run.options.json) {
                JsonObject entry;
                entry.emplace_back("name", JsonValue(macro->GetName()));
                entry.emplace_back("events", JsonValue(int64_t(macro->GetEvents().size())));
                list.emplace_back(std::move(entry));
            } else {
                run.Print(Quoted(macro->GetName()) + " " + std::to_string(macro->GetEvents().size()) + " events");
            }
        }
        if (run.options.json) {
            JsonObject top;
            top.emplace_back("macros", JsonValue(list));
            run.PrintJson(std::move(top));
        }
        return ExitCode::Done;
    }
    if (verb == "import") {
        if (config.GetMacroCount() >= kMaxMacros)
            return run.Fail(ExitCode::Usage, "the device holds the most macros it can");
        if (!std::filesystem::is_regular_file(args[1]))
            return run.Fail(ExitCode::Usage, "cannot read " + args[1]);
        // The device layer takes the macro onto the device, or leaves nothing there
        // when the model cannot take it (its name is taken, ignoring case).
        if (!device.ImportMacro(*FromUtf8(std::filesystem::absolute(args[1]).string()), &config))
            return run.Fail(ExitCode::Refused,
                            "the macro file " + args[1] + " was refused (is a macro of its name there already?)");
        const std::u16string wanted = config.GetMacro(config.GetMacroCount() - 1)->GetName();
        run.Print("imported macro " + Quoted(wanted));
        return Verify(run, session, [wanted](IMouseConfig& fresh) {
            return FindMacro(fresh, wanted) ? std::string() : "the macro is not there";
        });
    }
    std::optional<std::u16string> name = NameArgument(run, args[1], CMacro::kMaxNameLength, "macro");
    if (!name)
        return ExitCode::Usage;
    CMacro* macro = FindMacro(config, *name);
    if (!macro)
        return run.Fail(ExitCode::Usage, "no macro is named " + Quoted(*name) + " (see: macro list)");
    if (verb == "show") {
        if (run.options.json) {
            JsonArray events;
            for (const MacroEvent& event : macro->GetEvents())
                events.emplace_back(*FromUtf8(MacroEventWords(event)));
            JsonObject top;
            top.emplace_back("name", JsonValue(macro->GetName()));
            top.emplace_back("events", JsonValue(events));
            run.PrintJson(std::move(top));
        } else {
            for (const MacroEvent& event : macro->GetEvents())
                run.Print(MacroEventWords(event));
        }
        return ExitCode::Done;
    }
    if (verb == "export") {
        if (!device.HasDeviceMacro(macro))
            return run.Fail(ExitCode::Refused, "the device does not hold " + Quoted(macro->GetName()));
        const std::filesystem::path file(args[2]);
        if (std::filesystem::is_directory(file) ||
            !std::filesystem::is_directory(std::filesystem::absolute(file).parent_path()))
            return run.Fail(ExitCode::Usage, "cannot write " + args[2]);
        if (!device.ExportMacro(*FromUtf8(std::filesystem::absolute(file).string()), macro))
            return run.Fail(ExitCode::Refused, "the device could not write the macro to " + args[2]);
        return ExitCode::Done;
    }
    std::function<std::string(IMouseConfig&)> check;
    if (verb == "rename") {
        std::optional<std::u16string> newName = NameArgument(run, args[2], CMacro::kMaxNameLength, "macro");
        if (!newName)
            return ExitCode::Usage;
        if (CMacro* taken = FindMacro(config, *newName))
            return run.Fail(ExitCode::Usage, "a macro is named " + Quoted(taken->GetName()) + " already");
        // Buttons that play the macro by its name follow the new name.
        const std::u16string oldName = macro->GetName();
        macro->SetName(*newName);
        for (size_t i = 0; i < config.GetProfileCount(); ++i) {
            IMouseProfile* p = config.GetProfile(i);
            for (int number : ButtonNumbers()) {
                const auto button = tMouseButton(number);
                AssignmentRecord record = p->GetButtonAssignment(button);
                if (record.kind == AssignmentKind::MacroByName && SameIgnoringCase(record.ReadName(), oldName)) {
                    AssignmentRecord renamed =
                        MakeMacroAssignment(*macro, record.EffectivePlayMode(), record.ReadRepeatCount());
                    p->SetButtonAssignment(button, renamed);
                }
            }
        }
        const std::u16string wanted = *newName;
        check = [wanted](IMouseConfig& fresh) {
            CMacro* m = FindMacro(fresh, wanted);
            return m && m->GetName() == wanted ? std::string() : "the new name is not there";
        };
    } else if (verb == "delete") {
        ResetAssignmentsToMacro(config, *macro);
        config.DeleteMacro(macro);
        const std::u16string gone = *name;
        check = [gone](IMouseConfig& fresh) {
            return FindMacro(fresh, gone) ? "the macro is still there" : std::string();
        };
    }
    if (int code = WriteResult(run, session.device.Write()))
        return code;
    return Verify(run, session, check);
}

// --- dump, diff, apply -----------------------------------------------------------------------

int Dump(const Run& run, const std::vector<std::string>& args)
{
    if (args.size() > 1)
        return run.Fail(ExitCode::Usage, "usage: dump [FILE]");
    Session session(run.options.busyWait);
    if (int code = OpenSession(run, session))
        return code;
    const std::string text =
        emulator::WriteJson(ConfigurationDocument(session.device.Config(), session.device.ProductId()));
    if (args.empty()) {
        std::fputs(text.c_str(), run.out);
        return ExitCode::Done;
    }
    std::ofstream file(args[0], std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file)
        return run.Fail(ExitCode::Usage, "cannot write " + args[0]);
    return ExitCode::Done;
}

std::optional<JsonValue> ReadDocument(const Run& run, const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        run.Fail(ExitCode::Usage, "cannot read " + path);
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    try {
        return emulator::ParseJson(text.str());
    } catch (const emulator::JsonError& e) {
        run.Fail(ExitCode::Usage, path + " is not a configuration file: " + e.what());
        return std::nullopt;
    }
}

int ApplyOrDiff(const Run& run, const std::vector<std::string>& args, bool diffOnly)
{
    bool dryRun = diffOnly;
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        if (arg == "--dry-run" && !diffOnly)
            dryRun = true;
        else
            files.push_back(arg);
    }
    if (files.size() != 1)
        return run.Fail(ExitCode::Usage, diffOnly ? "usage: diff FILE" : "usage: apply FILE [--dry-run]");
    std::optional<JsonValue> document = ReadDocument(run, files[0]);
    if (!document)
        return ExitCode::Usage;
    Session session(run.options.busyWait);
    if (int code = OpenSession(run, session))
        return code;
    std::vector<std::string> changes;
    std::string error;
    if (!ApplyDocument(session.device.Config(), session.device.ProductId(), *document, changes, error))
        return run.Fail(ExitCode::Usage, files[0] + ": " + error + "; nothing was written");
    for (const std::string& change : changes)
        run.Print(change);
    if (dryRun || changes.empty())
        return ExitCode::Done;
    if (int code = WriteResult(run, session.device.Write()))
        return code;
    const std::string wanted =
        emulator::WriteJson(ConfigurationDocument(session.device.Config(), session.device.ProductId()));
    const uint32_t productId = session.device.ProductId();
    return Verify(run, session, [&](IMouseConfig& fresh) {
        return emulator::WriteJson(ConfigurationDocument(fresh, productId)) == wanted
                   ? std::string()
                   : "a read afterwards differs from the file (see: diff " + files[0] + ")";
    });
}

// --- the command line -------------------------------------------------------------------------

std::optional<Options> ParseOptions(const Run& run, const std::vector<std::string>& arguments, bool& help,
                                    bool& version)
{
    Options options;
    options.busyWait = emulator::BusyWaitFromEnvironment();
    size_t i = 0;
    for (; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--json") {
            options.json = true;
        } else if (a == "--profile" || a == "--wait") {
            if (i + 1 >= arguments.size()) {
                run.Fail(ExitCode::Usage, a + " needs a value");
                return std::nullopt;
            }
            const std::string& value = arguments[++i];
            if (a == "--profile") {
                options.profile = value;
            } else {
                std::optional<uint32_t> seconds = ParseNumber(std::string_view(value), 600);
                if (!seconds) {
                    run.Fail(ExitCode::Usage, "--wait takes 0..600 seconds");
                    return std::nullopt;
                }
                options.busyWait = std::chrono::seconds(*seconds);
            }
        } else if (a == "--help" || a == "-h") {
            help = true;
        } else if (a == "--version") {
            version = true;
        } else if (a.size() > 1 && a[0] == '-' && options.words.empty()) {
            run.Fail(ExitCode::Usage, "unknown option " + a);
            return std::nullopt;
        } else {
            options.words.push_back(a);
            // Everything after the command belongs to it (values may start with '-').
            for (++i; i < arguments.size(); ++i) {
                if (arguments[i] == "--help" && options.words.size() == 1)
                    help = true;
                else
                    options.words.push_back(arguments[i]);
            }
            break;
        }
    }
    return options;
}

} // namespace

int RunCtl(const std::vector<std::string>& arguments, FILE* out, FILE* err)
{
    Run run{out, err, {}};
    bool help = false;
    bool version = false;
    std::optional<Options> options = ParseOptions(run, arguments, help, version);
    if (!options) {
        PrintUsage(err);
        return ExitCode::Usage;
    }
    run.options = *options;
    if (version)
        return PrintVersion(run);
    if (run.options.words.empty()) {
        PrintUsage(help ? out : err);
        return help ? ExitCode::Done : ExitCode::Usage;
    }
    const std::string command = run.options.words[0];
    if (help)
        return PrintCommandHelp(run, command);
    const std::vector<std::string> args(run.options.words.begin() + 1, run.options.words.end());
    if (command == "list")
        return args.empty() ? List(run) : run.Fail(ExitCode::Usage, "usage: list");
    if (command == "show")
        return args.empty() ? Show(run) : run.Fail(ExitCode::Usage, "usage: show");
    if (command == "keys")
        return args.empty() ? Keys(run) : run.Fail(ExitCode::Usage, "usage: keys");
    if (command == "get")
        return Get(run, args);
    if (command == "set")
        return Set(run, args);
    if (command == "profile")
        return ProfileCommand(run, args);
    if (command == "macro")
        return MacroCommand(run, args);
    if (command == "dump")
        return Dump(run, args);
    if (command == "diff")
        return ApplyOrDiff(run, args, true);
    if (command == "apply")
        return ApplyOrDiff(run, args, false);
    run.Fail(ExitCode::Usage, "no command \"" + command + "\"");
    PrintUsage(err);
    return ExitCode::Usage;
}
