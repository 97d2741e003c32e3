// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A recorded macro: a name, an identity and an ordered list of 12-byte events.
// Owned by the configuration's macro list.
#include "platform/com/Guid.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace MacroEventKind {
constexpr int32_t Keystroke = 0;
constexpr int32_t MouseButton = 1;
constexpr int32_t Delay = 2;
} // namespace MacroEventKind

// Keystroke: data1 = scan code | virtual key << 16; data2 byte 0 = 0xFF press or
//            0x01 release, byte 1 = 1 for an extended (E0) key.
// Mouse button: data1 = button number (1 left, 2 right, 3 middle, 4, 5);
//            data2 = 0xFF press or 0x01 release.
// Delay: data1 = milliseconds; data2 = the same milliseconds for recorded delays.
struct MacroEvent {
    static constexpr uint32_t kPress = 0xFF;
    static constexpr uint32_t kRelease = 0x01;

    int32_t kind = MacroEventKind::Keystroke;
    uint32_t data1 = 0;
    uint32_t data2 = 0;

    friend bool operator==(const MacroEvent&, const MacroEvent&) = default;

    static MacroEvent Keystroke(uint16_t scanCode, uint16_t virtualKey, bool press, bool extended);
    static MacroEvent MouseButton(uint32_t button, bool press);
    static MacroEvent Delay(uint32_t milliseconds);

    uint16_t ScanCode() const { return uint16_t(data1 & 0xFFFF); }
    uint16_t VirtualKey() const { return uint16_t(data1 >> 16); }
    bool IsPress() const { return (data2 & 0xFF) == kPress; }
    bool IsExtended() const { return ((data2 >> 8) & 0xFF) == 1; }
};

class CMacro {
public:
    // The record keeps 256 units including the terminator.
    static constexpr size_t kMaxNameLength = 255;

    CMacro() = default;
    // Copies name, identity and events; the source path stays with the original.
    CMacro(const CMacro& other);
    CMacro& operator=(const CMacro& other);

    const std::u16string& GetName() const { return name_; }
    // Refused (false, name unchanged) when longer than 255 units or containing a
    // zero unit, which the device's name record cannot hold.
    bool SetName(std::u16string_view name);
    static bool IsValidName(std::u16string_view name);

    const GUID& GetGuid() const { return guid_; }
    void SetGuid(const GUID& guid) { guid_ = guid; }

    const std::vector<MacroEvent>& GetEvents() const { return events_; }
    std::vector<MacroEvent>& Events() { return events_; }
    void SetEvents(std::vector<MacroEvent> events) { events_ = std::move(events); }

    const std::u16string& GetSourcePath() const { return sourcePath_; }
    void SetSourcePath(std::u16string_view path) { sourcePath_ = path; }

private:
    std::u16string name_;
    GUID guid_{};
    std::vector<MacroEvent> events_;
    std::u16string sourcePath_;
};

// Same identity, same name ignoring case, same events in the same order.
bool SameMacroContent(const CMacro& a, const CMacro& b);
