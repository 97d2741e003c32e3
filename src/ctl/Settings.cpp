// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/Settings.h"

#include "ctl/ButtonText.h"
#include "ctl/CtlText.h"
#include "device/DeviceDescriptor.h"
#include "device/DeviceValues.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"

#include <cstdio>

namespace {

// The window's slider ranges for the power values and the LED brightness.
constexpr uint32_t kSleepMinutesMin = 1;
constexpr uint32_t kSleepMinutesMax = 15;
constexpr uint32_t kBatteryWarningMin = 5;
constexpr uint32_t kBatteryWarningMax = 25;
constexpr uint32_t kLedBrightnessMax = 100;
constexpr uint32_t kReducedBrightnessMax = 255;

SettingValue Number(uint32_t n)
{
    SettingValue v;
    v.kind = SettingValue::Kind::Number;
    v.number = n;
    return v;
}

SettingValue Switch(bool on)
{
    SettingValue v;
    v.kind = SettingValue::Kind::Switch;
    v.on = on;
    return v;
}

SettingValue Text(std::string text)
{
    SettingValue v;
    v.text = std::move(text);
    return v;
}

std::string Range(uint32_t minimum, uint32_t maximum)
{
    return std::to_string(minimum) + ".." + std::to_string(maximum);
}

// A whole number within minimum..maximum; nothing when the text is not one.
std::optional<uint32_t> NumberIn(const std::string& value, uint32_t minimum, uint32_t maximum)
{
    std::optional<uint32_t> n = ParseNumber(std::string_view(value));
    if (!n || *n < minimum || *n > maximum)
        return std::nullopt;
    return n;
}

std::string Refusal(const std::string& name, const std::string& value, const std::string& allowed)
{
    return name + ": \"" + value + "\" is not allowed; allowed: " + allowed;
}

struct Sensitivity {
    uint32_t x = 0;
    uint32_t y = 0;
};

std::string SensitivityRange(const IMouseProfile& profile)
{
    unsigned minimum = 0, maximum = 0, step = 0;
    profile.GetSensitivityRange(minimum, maximum, step);
    return Range(minimum, maximum) + " in steps of " + std::to_string(step) + ", DPI or XxY";
}

std::optional<Sensitivity> ParseSensitivity(const IMouseProfile& profile, const std::string& value)
{
    unsigned minimum = 0, maximum = 0, step = 0;
    profile.GetSensitivityRange(minimum, maximum, step);
    const size_t x = value.find('x');
    std::optional<uint32_t> vx = ParseNumber(std::string_view(value).substr(0, x));
    std::optional<uint32_t> vy = x == std::string::npos ? vx : ParseNumber(std::string_view(value).substr(x + 1));
    for (std::optional<uint32_t> v : {vx, vy}) {
        if (!v || *v < minimum || *v > maximum || (step != 0 && (*v - minimum) % step != 0))
            return std::nullopt;
    }
    return Sensitivity{*vx, *vy};
}

std::string SensitivityWords(uint32_t x, uint32_t y, bool separate)
{
    return separate ? std::to_string(x) + "x" + std::to_string(y) : std::to_string(x);
}

struct LightName {
    const char* name;
    tLEDType led;
};

Setting SwitchSetting(std::string name, bool perProfile, std::function<bool(const SettingContext&)> get,
                      std::function<void(const SettingContext&, bool)> set)
{
    Setting s;
    s.name = name;
    s.perProfile = perProfile;
    s.allowed = "on, off";
    s.get = [get](const SettingContext& c) { return Switch(get(c)); };
    s.set = [name, set](const SettingContext& c, const std::string& value) -> std::string {
        std::optional<std::u16string> text = FromUtf8(value);
        std::optional<bool> on = text ? ParseSwitch(*text) : std::nullopt;
        if (!on)
            return Refusal(name, value, "on, off");
        set(c, *on);
        return {};
    };
    return s;
}

Setting NumberSetting(std::string name, bool perProfile,
                      std::function<std::pair<uint32_t, uint32_t>(const SettingContext&)> range,
                      std::string allowedNote, std::function<uint32_t(const SettingContext&)> get,
                      std::function<void(const SettingContext&, uint32_t)> set)
{
    Setting s;
    s.name = name;
    s.perProfile = perProfile;
    s.allowed = allowedNote;
    s.get = [get](const SettingContext& c) { return Number(get(c)); };
    s.set = [name, range, set](const SettingContext& c, const std::string& value) -> std::string {
        const auto [minimum, maximum] = range(c);
        std::optional<uint32_t> n = NumberIn(value, minimum, maximum);
        if (!n)
            return Refusal(name, value, Range(minimum, maximum));
        set(c, *n);
        return {};
    };
    return s;
}

} // namespace

std::string SettingValue::Words() const
{
    switch (kind) {
    case Kind::Number:
        return std::to_string(number);
    case Kind::Switch:
        return on ? "on" : "off";
    case Kind::Text:
    default:
        return text;
    }
}

const std::vector<int>& ButtonNumbers()
{
    static const std::vector<int> numbers = {MOUSE_BUTTON_LEFT, MOUSE_BUTTON_RIGHT,    MOUSE_BUTTON_WHEEL,
                                             MOUSE_BUTTON_4,    MOUSE_BUTTON_5,        MOUSE_BUTTON_10,
                                             MOUSE_BUTTON_11,   MOUSE_BUTTON_WHEEL_UP, MOUSE_BUTTON_WHEEL_DOWN};
    return numbers;
}

std::vector<Setting> SettingsFor(uint32_t productId, IMouseProfile* profile)
{
    const DeviceDescriptor* descriptor = FindSupportedDevice(productId);
    auto has = [descriptor](FeatureId feature) { return descriptor && descriptor->Has(feature); };
    std::vector<Setting> list;

    // --- device-wide -------------------------------------------------------------------
    if (has(Feature::ReportInterval)) {
        Setting s;
        s.name = "polling-rate";
        s.allowed = "125, 500 or 1000 (Hz), as the device supports";
        s.get = [](const SettingContext& c) {
            std::optional<uint32_t> interval = ReportIntervalFromRate(c.config.GetPollingRate());
            return Number(interval && *interval ? 1000 / *interval : 0);
        };
        s.set = [](const SettingContext& c, const std::string& value) -> std::string {
            std::string allowed;
            for (int32_t rate = 0; rate <= 2; ++rate) {
                std::optional<uint32_t> interval = ReportIntervalFromRate(rate);
                bool supported = false;
                for (size_t i = 0; i < c.config.GetSupportedPollingRateCount(); ++i)
                    supported = supported || c.config.GetSupportedPollingRate(i) == interval;
                if (!supported)
                    continue;
                const std::string hz = std::to_string(1000 / *interval);
                allowed += (allowed.empty() ? "" : ", ") + hz;
                if (value == hz) {
                    c.config.SetPollingRate(tPollingRate(rate));
                    return {};
                }
            }
            return Refusal("polling-rate", value, allowed + " (Hz)");
        };
        list.push_back(s);
    }
    if (has(Feature::Acceleration)) {
        list.push_back(SwitchSetting(
            "acceleration", false, [](const SettingContext& c) { return c.config.GetAccelerationOn(); },
            [](const SettingContext& c, bool on) { c.config.SetAccelerationOn(on); }));
        list.push_back(NumberSetting(
            "acceleration-level", false,
            [](const SettingContext& c) {
                return std::pair(c.config.GetAccelerationLevelMin(), c.config.GetAccelerationLevelMax());
            },
            "the device's acceleration levels (1..10)",
            [](const SettingContext& c) { return c.config.GetAccelerationLevel(); },
            [](const SettingContext& c, uint32_t n) { c.config.SetAccelerationLevel(n); }));
    }
    if (has(Feature::SurfaceCalibration)) {
        list.push_back(NumberSetting(
            "lift-off", false,
            [](const SettingContext& c) {
                return std::pair(c.config.GetLiftOffRangeMin(), c.config.GetLiftOffRangeMax());
            },
            "the device's lift-off range", [](const SettingContext& c) { return c.config.GetLiftOffRange(); },
            [](const SettingContext& c, uint32_t n) { c.config.SetLiftOffRange(n); }));
        list.push_back(SwitchSetting(
            "lift-off-auto", false, [](const SettingContext& c) { return c.config.GetAutomaticLiftOff(); },
            [](const SettingContext& c, bool on) { c.config.SetAutomaticLiftOff(on); }));
        list.push_back(SwitchSetting(
            "calibration", false, [](const SettingContext& c) { return c.config.GetSurfaceCalibration(); },
            [](const SettingContext& c, bool on) { c.config.SetSurfaceCalibration(on); }));
    }
    if (has(Feature::Power)) {
        list.push_back(NumberSetting(
            "reduced-brightness", false, [](const SettingContext&) { return std::pair(0u, kReducedBrightnessMax); },
            Range(0, kReducedBrightnessMax), [](const SettingContext& c) { return c.config.GetReducedBrightness(); },
            [](const SettingContext& c, uint32_t n) { c.config.SetReducedBrightness(n); }));
        list.push_back(NumberSetting(
            "sleep-minutes", false, [](const SettingContext&) { return std::pair(kSleepMinutesMin, kSleepMinutesMax); },
            Range(kSleepMinutesMin, kSleepMinutesMax),
            [](const SettingContext& c) { return c.config.GetIdleTimeBeforeSleep() / 60u; },
            [](const SettingContext& c, uint32_t n) { c.config.SetIdleTimeBeforeSleep(n * 60u); }));
        list.push_back(NumberSetting(
            "battery-warning", false,
            [](const SettingContext&) { return std::pair(kBatteryWarningMin, kBatteryWarningMax); },
            Range(kBatteryWarningMin, kBatteryWarningMax) + " (percent)",
            [](const SettingContext& c) { return c.config.GetBatteryWarningLevel(); },
            [](const SettingContext& c, uint32_t n) { c.config.SetBatteryWarningLevel(n); }));
    }

    // --- per profile -----------------------------------------------------------------
    if (has(Feature::Sensitivity)) {
        Setting current;
        current.name = "sensitivity";
        current.perProfile = true;
        current.allowed = "the product's sensitivity range and step; DPI, or XxY for separate axes";
        current.get = [](const SettingContext& c) {
            const uint32_t x = c.profile->GetCurrentSeparate() ? c.profile->GetCurrentX() : c.profile->GetCurrentDpi();
            const uint32_t y = c.profile->GetCurrentSeparate() ? c.profile->GetCurrentY() : c.profile->GetCurrentDpi();
            return Text(SensitivityWords(x, y, x != y));
        };
        current.set = [](const SettingContext& c, const std::string& value) -> std::string {
            std::optional<Sensitivity> s = ParseSensitivity(*c.profile, value);
            if (!s)
                return Refusal("sensitivity", value, SensitivityRange(*c.profile));
            c.profile->SetCurrentSeparate(s->x != s->y);
            c.profile->SetCurrentDpi(s->x);
            c.profile->SetCurrentX(s->x);
            c.profile->SetCurrentY(s->y);
            return {};
        };
        list.push_back(current);

        const unsigned stages = profile ? profile->GetStageCount() : 0;
        for (unsigned n = 1; n <= stages; ++n) {
            Setting stage;
            stage.name = "stage." + std::to_string(n);
            stage.perProfile = true;
            stage.allowed = "the product's sensitivity range and step; DPI, or XxY for separate axes";
            stage.get = [n](const SettingContext& c) {
                const bool separate = c.profile->GetStageSeparate(n);
                return Text(SensitivityWords(separate ? c.profile->GetStageX(n) : c.profile->GetStageDpi(n),
                                             c.profile->GetStageY(n), separate));
            };
            stage.set = [n](const SettingContext& c, const std::string& value) -> std::string {
                if (n > c.profile->GetStageCount())
                    return "stage." + std::to_string(n) + ": this profile has " +
                           std::to_string(c.profile->GetStageCount()) + " stages";
                std::optional<Sensitivity> s = ParseSensitivity(*c.profile, value);
                if (!s)
                    return Refusal("stage." + std::to_string(n), value, SensitivityRange(*c.profile));
                const bool separate = value.find('x') != std::string::npos;
                c.profile->SetStageSeparate(n, separate);
                c.profile->SetStageDpi(n, s->x);
                c.profile->SetStageX(n, s->x);
                c.profile->SetStageY(n, s->y);
                return {};
            };
            list.push_back(stage);
        }
        list.push_back(NumberSetting(
            "stages-in-use", true, [](const SettingContext& c) { return std::pair(1u, c.profile->GetStageCount()); },
            "1..the number of stages", [](const SettingContext& c) { return c.profile->GetStagesInUse(); },
            [](const SettingContext& c, uint32_t n) {
                c.profile->SetStagesInUse(n);
                if (unsigned(c.profile->GetSelectedStage()) > n)
                    c.profile->SelectStage(int(n));
            }));
        list.push_back(NumberSetting(
            "current-stage", true, [](const SettingContext& c) { return std::pair(1u, c.profile->GetStagesInUse()); },
            "1..the stages in use", [](const SettingContext& c) { return uint32_t(c.profile->GetSelectedStage()); },
            [](const SettingContext& c, uint32_t n) {
                // As the window does: choosing a stage makes its values the current sensitivity.
                c.profile->SelectStage(int(n));
                const bool separate = c.profile->GetStageSeparate(n);
                const uint32_t x = separate ? c.profile->GetStageX(n) : c.profile->GetStageDpi(n);
                const uint32_t y = separate ? c.profile->GetStageY(n) : x;
                c.profile->SetCurrentSeparate(x != y);
                c.profile->SetCurrentDpi(x);
                c.profile->SetCurrentX(x);
                c.profile->SetCurrentY(y);
            }));
    }
    if (has(Feature::ProfileIdentity)) {
        list.push_back(SwitchSetting(
            "sensitivity-osd", true, [](const SettingContext& c) { return c.profile->GetDpiOsd(); },
            [](const SettingContext& c, bool on) { c.profile->SetDpiOsd(on); }));
    }
    if (has(Feature::Lighting)) {
        std::vector<LightName> lights = {{"light.wheel", LED_SCROLL_WHEEL}, {"light.battery", LED_BATTERY_INDICATOR}};
        if (IsChargingDock(productId))
            lights.push_back({"light.dock", LED_CHARGING_DOCK});
        for (const LightName& light : lights) {
            const tLEDType led = light.led;
            list.push_back(SwitchSetting(
                light.name, true, [led](const SettingContext& c) { return c.profile->GetLedState(led); },
                [led](const SettingContext& c, bool on) { c.profile->SetLedState(led, on); }));
        }
        Setting colour;
        colour.name = "colour";
        colour.perProfile = true;
        colour.allowed = "#RRGGBB or spectrum";
        colour.get = [](const SettingContext& c) {
            if (c.profile->GetLedEffect(LED_SCROLL_WHEEL) == LED_EFFECT_SPECTRUM_CYCLING)
                return Text("spectrum");
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, "#%06X",
                          unsigned(c.profile->GetLedColour(LED_SCROLL_WHEEL) & 0xFFFFFF));
            return Text(buffer);
        };
        colour.set = [](const SettingContext& c, const std::string& value) -> std::string {
            if (value == "spectrum") {
                c.profile->SetLedEffect(LED_SCROLL_WHEEL, LED_EFFECT_SPECTRUM_CYCLING);
                return {};
            }
            uint32_t rgb = 0;
            bool ok = value.size() == 7 && value[0] == '#';
            for (size_t i = 1; ok && i < value.size(); ++i) {
                const char ch = value[i];
                const int d = ch >= '0' && ch <= '9'   ? ch - '0'
                              : ch >= 'a' && ch <= 'f' ? ch - 'a' + 10
                              : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10
                                                       : -1;
                ok = d >= 0;
                rgb = rgb * 16 + uint32_t(d < 0 ? 0 : d);
            }
            if (!ok)
                return Refusal("colour", value, "#RRGGBB or spectrum");
            c.profile->SetLedColour(LED_SCROLL_WHEEL, rgb);
            c.profile->SetLedEffect(LED_SCROLL_WHEEL, LED_EFFECT_FIXED_COLOUR);
            return {};
        };
        list.push_back(colour);
        list.push_back(NumberSetting(
            "led-brightness", true, [](const SettingContext&) { return std::pair(0u, kLedBrightnessMax); },
            Range(0, kLedBrightnessMax) + " (percent)",
            [](const SettingContext& c) { return c.profile->GetLedBrightness(LED_SCROLL_WHEEL); },
            [](const SettingContext& c, uint32_t n) { c.profile->SetLedBrightness(LED_SCROLL_WHEEL, n); }));
    }
    if (has(Feature::Buttons)) {
        for (int number : ButtonNumbers()) {
            const auto button = tMouseButton(number);
            Setting s;
            s.name = "button." + std::to_string(number);
            s.perProfile = true;
            s.allowed = kAssignmentGrammar;
            s.get = [button](const SettingContext& c) {
                return Text(AssignmentWords(c.profile->GetButtonAssignment(button), c.config));
            };
            s.set = [button](const SettingContext& c, const std::string& value) -> std::string {
                std::string error;
                std::optional<AssignmentRecord> record = ParseAssignment(value, c.config, *c.profile, button, error);
                if (!record)
                    return "button." + std::to_string(int(button)) + ": " + error;
                const AssignmentRecord before = c.profile->GetButtonAssignment(button);
                if (!c.profile->SetButtonAssignment(button, *record))
                    return "button." + std::to_string(int(button)) + ": the button cannot take \"" + value + "\"";
                if (!c.profile->HasClickAssignment()) {
                    // As the window: some button must still click.
                    c.profile->SetButtonAssignment(button, before);
                    return "button." + std::to_string(int(button)) + ": refused, no button of the profile would click";
                }
                return {};
            };
            list.push_back(s);
        }
    }
    if (has(Feature::ProfileIdentity)) {
        Setting program;
        program.name = "program";
        program.perProfile = true;
        program.allowed = "a program path of at most 127 characters, or \"\" for none";
        program.get = [](const SettingContext& c) { return Text(ToUtf8(c.profile->GetLinkedProgramPath())); };
        program.set = [](const SettingContext& c, const std::string& value) -> std::string {
            std::optional<std::u16string> path = FromUtf8(value);
            if (!path || path->size() > IMouseProfile::kMaxLinkedProgramPathLength ||
                path->find(u'\0') != std::u16string::npos)
                return Refusal("program", value, "a path of at most 127 characters");
            if (!c.profile->SetLinkedProgramPath(*path))
                return Refusal("program", value, "a path of at most 127 characters");
            if (path->empty())
                c.profile->SetAutoSwitch(false); // switching needs a program
            return {};
        };
        list.push_back(program);
        Setting autoSwitch = SwitchSetting(
            "auto-switch", true, [](const SettingContext& c) { return c.profile->GetAutoSwitch(); },
            [](const SettingContext& c, bool on) { c.profile->SetAutoSwitch(on); });
        auto plainSet = autoSwitch.set;
        autoSwitch.set = [plainSet](const SettingContext& c, const std::string& value) -> std::string {
            std::optional<std::u16string> text = FromUtf8(value);
            std::optional<bool> on = text ? ParseSwitch(*text) : std::nullopt;
            if (on && *on && c.profile->GetLinkedProgramPath().empty())
                return "auto-switch: the profile has no linked program (set program first)";
            return plainSet(c, value);
        };
        list.push_back(autoSwitch);
    }
    return list;
}

const Setting* FindSetting(const std::vector<Setting>& settings, const std::string& name)
{
    for (const Setting& setting : settings) {
        if (setting.name == name)
            return &setting;
    }
    return nullptr;
}

void TakeDeviceSensitivityRange(IMouseConfig& config, IMouseProfile& created)
{
    for (size_t i = 0; i < config.GetProfileCount(); ++i) {
        IMouseProfile* read = config.GetProfile(i);
        unsigned minimum = 0, maximum = 0, step = 0;
        if (read != &created && !read->GetGuid().IsNull() && read->GetSensitivityRange(minimum, maximum, step)) {
            created.SetSensitivityRange(minimum, maximum, step);
            return;
        }
    }
}

void ResetAssignmentsTo(IMouseConfig& config, IMouseProfile* target)
{
    if (!target)
        return;
    for (size_t i = 0; i < config.GetProfileCount(); ++i) {
        IMouseProfile* profile = config.GetProfile(i);
        for (int number : ButtonNumbers()) {
            const auto button = tMouseButton(number);
            const AssignmentRecord record = profile->GetButtonAssignment(button);
            const bool byId = record.kind == AssignmentKind::ProfileById && !target->GetGuid().IsNull() &&
                              record.ReadGuid() == target->GetGuid();
            const bool byName =
                record.kind == AssignmentKind::ProfileByName && SameIgnoringCase(record.ReadName(), target->GetName());
            if (byId || byName)
                profile->SetButtonAssignment(button, config.GetDefaultButtonAssignment(button));
        }
    }
}

void ResetAssignmentsToMacro(IMouseConfig& config, const CMacro& macro)
{
    for (size_t i = 0; i < config.GetProfileCount(); ++i) {
        IMouseProfile* profile = config.GetProfile(i);
        for (int number : ButtonNumbers()) {
            const auto button = tMouseButton(number);
            const AssignmentRecord record = profile->GetButtonAssignment(button);
            const bool byId = record.kind == AssignmentKind::MacroById && !macro.GetGuid().IsNull() &&
                              record.ReadGuid() == macro.GetGuid();
            const bool byName =
                record.kind == AssignmentKind::MacroByName && SameIgnoringCase(record.ReadName(), macro.GetName());
            if (byId || byName)
                profile->SetButtonAssignment(button, config.GetDefaultButtonAssignment(button));
        }
    }
}
