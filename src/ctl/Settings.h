// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every setting the window edits, by the name the command line uses: one table
// that get, set, show, dump, diff and apply all walk. Each entry reads its value
// as words and checks a new value against the device's own ranges and the
// window's rules before it changes anything.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class IMouseConfig;
class IMouseProfile;

struct SettingValue {
    enum class Kind { Number, Switch, Text };
    Kind kind = Kind::Text;
    uint32_t number = 0;
    bool on = false;
    std::string text; // UTF-8, unescaped

    // The value as `get` prints it and `set` takes it ("on", "800x1200", ...).
    std::string Words() const;
};

struct SettingContext {
    IMouseConfig& config;
    IMouseProfile* profile; // the profile a per-profile setting belongs to
    uint32_t productId;
};

struct Setting {
    std::string name;
    bool perProfile = false;
    std::string allowed; // what values it takes, for help and refusals
    std::function<SettingValue(const SettingContext&)> get;
    // Changes the configuration (never the device); an empty answer when the
    // value was taken, else why it was refused (nothing changed then).
    std::function<std::string(const SettingContext&, const std::string& value)> set;
};

// The settings of a product, device-wide ones first, in a stable order. The
// stage entries follow the stage count of `profile` (the device's).
std::vector<Setting> SettingsFor(uint32_t productId, IMouseProfile* profile);
const Setting* FindSetting(const std::vector<Setting>& settings, const std::string& name);

// A profile made in the model starts with the model's own sensitivity range; the
// device's range (as read with its other profiles) is what its values must keep.
void TakeDeviceSensitivityRange(IMouseConfig& config, IMouseProfile& created);

// The buttons the window offers, by number.
const std::vector<int>& ButtonNumbers();

// Resets, in every profile, the buttons whose assignment switches to `profile` or
// plays `macro` (by identity or by name, ignoring case) to their defaults.
void ResetAssignmentsTo(IMouseConfig& config, IMouseProfile* profile);
class CMacro;
void ResetAssignmentsToMacro(IMouseConfig& config, const CMacro& macro);
