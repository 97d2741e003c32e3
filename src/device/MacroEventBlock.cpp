// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/MacroEventBlock.h"

#include "device/server/IDeviceMacros.h"
#include "skin/keyboard/KeyboardDef.h"

namespace {

constexpr uint16_t kPauseVirtualKey = 19;
constexpr uint16_t kPauseScanCode = 0x45;

void Put32(std::vector<uint8_t>& out, size_t offset, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        out[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

void Put16(std::vector<uint8_t>& out, size_t offset, uint32_t value)
{
    out[offset] = static_cast<uint8_t>(value);
    out[offset + 1] = static_cast<uint8_t>(value >> 8);
}

uint32_t Get32(std::span<const uint8_t> in, size_t offset)
{
    return uint32_t(in[offset]) | uint32_t(in[offset + 1]) << 8 | uint32_t(in[offset + 2]) << 16 |
           uint32_t(in[offset + 3]) << 24;
}

uint16_t Get16(std::span<const uint8_t> in, size_t offset)
{
    return static_cast<uint16_t>(in[offset] | in[offset + 1] << 8);
}

bool Encodable(const MacroEvent& event)
{
    return event.kind == MacroEventKind::Keystroke || event.kind == MacroEventKind::MouseButton ||
           event.kind == MacroEventKind::Delay;
}

// The virtual-key code of a key the device reports, from the keyboard definition
// when it knows the key (the generated key file keeps it as the second code).
uint16_t VirtualKeyOf(uint16_t scanCode, bool extended)
{
    const CKeyboardDef& keyboard = CKeyboardDef::Instance();
    std::optional<uint32_t> hash = keyboard.KeyByCode(scanCode, extended ? KEY_FLAG_EXTENDED : 0);
    if (!hash)
        return 0;
    std::optional<KeyRecord> key = keyboard.FindKey(*hash);
    return key && key->code2 > 0 ? static_cast<uint16_t>(key->code2) : 0;
}

} // namespace

std::vector<uint8_t> BuildMacroEventBlock(const std::vector<MacroEvent>& events)
{
    uint32_t count = 0;
    for (const MacroEvent& event : events)
        count += Encodable(event) ? 1 : 0;
    std::vector<uint8_t> block(MacroEventBlockSize(count), 0);
    Put32(block, 4, count);
    size_t at = 8;
    for (const MacroEvent& event : events) {
        if (!Encodable(event))
            continue;
        switch (event.kind) {
        case MacroEventKind::Keystroke: {
            uint16_t flags = 0;
            if ((event.data2 & 0xFF) != MacroEvent::kPress)
                flags |= kMacroKeyRelease;
            if ((event.data2 & 0x100) || event.VirtualKey() == kPauseVirtualKey)
                flags |= kMacroKeyExtended;
            Put32(block, at, kMacroEventKeystroke);
            Put16(block, at + 4, event.ScanCode());
            Put16(block, at + 6, flags);
            break;
        }
        case MacroEventKind::MouseButton:
            Put32(block, at, kMacroEventMouseButton);
            Put16(block, at + 4, MacroButtonCode(event.data1, event.IsPress()));
            break;
        default:
            Put32(block, at, kMacroEventDelay);
            Put32(block, at + 4, event.data1);
            break;
        }
        at += 8;
    }
    return block;
}

std::optional<std::vector<MacroEvent>> ParseMacroEventBlock(std::span<const uint8_t> block)
{
    if (block.size() < 16)
        return std::nullopt;
    const uint64_t count = Get32(block, 4);
    if (uint64_t(block.size()) != count * 8 + 16)
        return std::nullopt;
    std::vector<MacroEvent> events;
    events.reserve(count);
    for (size_t at = 8; at + 8 < block.size(); at += 8) {
        switch (Get32(block, at)) {
        case kMacroEventKeystroke: {
            const uint16_t scanCode = Get16(block, at + 4);
            const uint16_t flags = Get16(block, at + 6);
            bool extended = (flags & kMacroKeyExtended) != 0;
            uint16_t virtualKey = 0;
            if (extended && scanCode == kPauseScanCode) {
                virtualKey = kPauseVirtualKey;
                extended = false;
            } else {
                virtualKey = VirtualKeyOf(scanCode, extended);
            }
            events.push_back(MacroEvent::Keystroke(scanCode, virtualKey, !(flags & kMacroKeyRelease), extended));
            break;
        }
        case kMacroEventMouseButton: {
            const uint16_t code = Get16(block, at + 4);
            events.push_back(MacroEvent::MouseButton(code & 0x7F, (code & 0x80) == 0));
            break;
        }
        case kMacroEventDelay:
            events.push_back(MacroEvent::Delay(Get32(block, at + 4)));
            break;
        default:
            return std::nullopt;
        }
    }
    return events;
}
