// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Macros stored on a device.
//
// Event block (`GetEvents`/`SetEvents`), little-endian, count x 8 + 16 bytes:
//   offset 0   32-bit 0
//   offset 4   32-bit event count n
//   offset 8   n device events of 8 bytes each
//   last 8 bytes zero
// Device event:
//   type 1 mouse button: 16-bit at 4 the button code (MacroButtonCode), 16-bit at 6 zero
//   type 2 keystroke:    16-bit at 4 the scan code, 16-bit at 6 flags
//                        (bit 0 release, bit 1 extended key; other bits zero)
//   type 3 delay:        32-bit at 4 milliseconds
#include "platform/com/Unknown.h"

#include <cstdint>

constexpr uint32_t kMaxDeviceMacros = 64;
constexpr uint32_t kMaxMacroEvents = 2000;
// Longest macro name in UTF-16 units (the program keeps 256 with the terminator).
constexpr uint32_t kMaxMacroNameLength = 255;

constexpr uint32_t kMacroEventMouseButton = 1;
constexpr uint32_t kMacroEventKeystroke = 2;
constexpr uint32_t kMacroEventDelay = 3;
constexpr uint16_t kMacroKeyRelease = 0x1;
constexpr uint16_t kMacroKeyExtended = 0x2;

// Device code of a mouse-button macro event: the button number (1 left, 2 right,
// 3 middle, 4 and 5 the side buttons) for a press, with 0x80 added for a release.
constexpr uint16_t MacroButtonCode(uint32_t button, bool press)
{
    return uint16_t((button & 0x7F) | (press ? 0 : 0x80));
}

constexpr uint32_t MacroEventBlockSize(uint32_t count)
{
    return count * 8 + 16;
}

// One macro on the device. Once deleted, every call fails with E_NOT_FOUND.
struct IDeviceMacro : IUnknown {
    // {16F6A96C-81D7-41B9-B113-892E5D56EF44}
    static constexpr IID Iid = MakeGuid(0x16F6A96C, 0x81D7, 0x41B9, {0xB1, 0x13, 0x89, 0x2E, 0x5D, 0x56, 0xEF, 0x44});

    virtual HRESULT GetId(GUID* id) = 0;          // slot 3
    virtual HRESULT GetName(char16_t** name) = 0; // slot 4: task memory, caller frees
    // Slot 5: renames the macro (0..kMaxMacroNameLength units).
    virtual HRESULT SetName(const char16_t* name) = 0;
    // Slot 6: the second name operation: writes the macro as a macro file (".zmm")
    // at the given path.
    virtual HRESULT ExportToFile(const char16_t* path) = 0;
    // Slot 7: the event block in task memory (caller frees) and its size in bytes.
    virtual HRESULT GetEvents(uint8_t** block, uint32_t* size) = 0;
    // Slot 8: replaces the events; a malformed block answers E_INVALIDARG.
    virtual HRESULT SetEvents(const uint8_t* block, uint32_t size) = 0;
};

// {177E723D-5472-4488-B759-0F4320FF6E13}
struct IDeviceMacroCollection : IUnknown {
    static constexpr IID Iid = MakeGuid(0x177E723D, 0x5472, 0x4488, {0xB7, 0x59, 0x0F, 0x43, 0x20, 0xFF, 0x6E, 0x13});

    virtual HRESULT GetMacro(uint32_t index, IDeviceMacro** macro) = 0;     // slot 3: E_BOUNDS after the last
    virtual HRESULT GetMacroById(const GUID& id, IDeviceMacro** macro) = 0; // slot 4: E_NOT_FOUND if unknown
    virtual HRESULT GetMacroCount(uint32_t* count) = 0;                     // slot 5
    virtual HRESULT DeleteMacro(IDeviceMacro* macro) = 0;                   // slot 6
    // Slot 7: a new empty macro (new id, empty name, no events); E_DEVICE_FULL at the limit.
    virtual HRESULT CreateMacro(IDeviceMacro** macro) = 0;
    // Slot 8: reads a macro file (".zmm") and stores it as a new macro, keeping the
    // file's id unless the device already has it (then a new id). Failures as for
    // profile import; the device is then unchanged.
    virtual HRESULT ImportMacro(const char16_t* path, IDeviceMacro** macro) = 0;
};
