// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The memory of one emulated device, and the rules every value in it obeys.
// The same checks guard the interface setters, the stored image and imported
// files, so a device can never hold what it would refuse to be sent.
#include "device/server/IDeviceButtons.h"
#include "device/server/IDeviceSensitivity.h"
#include "emulator/Products.h"
#include "platform/com/Guid.h"

#include <map>
#include <string>
#include <vector>

namespace emulator {

struct LightImage {
    uint32_t number = 0; // 1..12
    bool on = false;
    uint32_t colour = 0;
    uint32_t brightness = 100; // percent
    uint32_t effect = 0;       // 0..5
};

struct ProfileImage {
    GUID id;
    std::u16string name;
    std::u16string programPath;
    uint16_t options = 0;
    std::map<uint32_t, ButtonRecord> buttons; // by button bit; exactly the product's buttons
    std::vector<SensitivityPair> stages;      // 1..10
    uint32_t stagesInUse = 1;                 // 1..stages.size()
    uint32_t separateStages = 0;              // StageBit mask within stages.size()
    uint32_t currentStage = 1;                // 1..stages.size()
    SensitivityPair sensitivity;
    std::vector<LightImage> lights; // the product's lights, ascending
};

struct MacroEvent {
    uint32_t type = 0;  // kMacroEvent...
    uint16_t code = 0;  // button code or scan code
    uint16_t flags = 0; // keystroke flags
    uint32_t milliseconds = 0;

    friend bool operator==(const MacroEvent&, const MacroEvent&) = default;
};

struct MacroImage {
    GUID id;
    std::u16string name;
    std::vector<MacroEvent> events;
};

struct DeviceImage {
    uint32_t productId = 0;
    std::vector<ProfileImage> profiles; // 1..5
    GUID activeProfile;
    std::vector<MacroImage> macros;
    uint32_t reportInterval = 2; // ms
    bool accelerationOn = false;
    uint32_t accelerationLevel = 5;
    bool calibrationOn = false;
    uint32_t liftOffMode = 1;
    uint32_t liftOff = 20;
    uint32_t batteryWarning = 12;
    uint32_t dimBrightness = 158;
    uint32_t sleepTimeout = 60;
    uint32_t batteryLevel = 200;
    uint32_t chargingState = 0;
    int32_t stateFlag = 1;
    uint32_t firmware[4] = {};

    ProfileImage* FindProfile(const GUID& id);
    const ProfileImage* FindProfile(const GUID& id) const;
    MacroImage* FindMacro(const GUID& id);
    const MacroImage* FindMacro(const GUID& id) const;
};

// Factory state. A factory profile is what restoring a profile's defaults gives
// for the product's generation.
ProfileImage FactoryProfile(const ProductInfo& product, std::u16string name);
DeviceImage FactoryImage(const ProductInfo& product);
// Puts the settings back to factory state; battery and firmware stay.
void RestoreFactorySettings(DeviceImage& image);

// Value rules; each answers an empty string when the value is acceptable and
// otherwise says why not.
std::string CheckButtonRecord(const ButtonRecord& record);
std::string CheckStagePair(const ProductInfo& product, SensitivityPair pair);
// Stages in use (1..count) and a separate-axes mask within `count` stages.
std::string CheckStageUse(uint32_t count, uint32_t inUse, uint32_t separate);
std::string CheckProfileName(std::u16string_view name);
std::string CheckProgramPath(std::u16string_view path);
std::string CheckMacroName(std::u16string_view name);
std::string CheckMacroEvent(const MacroEvent& event);
bool IsValidReportInterval(uint32_t milliseconds);
std::string CheckProfile(const ProductInfo& product, const ProfileImage& profile);
std::string CheckMacro(const MacroImage& macro);
std::string CheckImage(const DeviceImage& image);

// The event block of the macro interface.
std::vector<uint8_t> EncodeEventBlock(const std::vector<MacroEvent>& events);
// Empty string and `events` filled, or why the block is malformed.
std::string DecodeEventBlock(const uint8_t* block, uint32_t size, std::vector<MacroEvent>& events);

} // namespace emulator
