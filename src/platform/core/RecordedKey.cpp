// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/RecordedKey.h"

#include "platform/core/VirtualKeys.h"

namespace {

constexpr USHORT kPauseScanCode = 0x45;
constexpr USHORT kRightShiftScanCode = 0x36;
constexpr USHORT kNoVirtualKey = 0xFF;

} // namespace

USHORT SidedVirtualKey(USHORT virtualKey, USHORT scanCode, bool extended)
{
    switch (virtualKey) {
    case VK_SHIFT:
        return USHORT(scanCode == kRightShiftScanCode ? VK_RSHIFT : VK_LSHIFT);
    case VK_CONTROL:
        return USHORT(extended ? VK_RCONTROL : VK_LCONTROL);
    case VK_MENU:
        return USHORT(extended ? VK_RMENU : VK_LMENU);
    case VK_RETURN:
        return USHORT(extended ? VK_SEPARATOR : VK_RETURN);
    default:
        return virtualKey;
    }
}

std::optional<RecordedKey> ReadRecordedKey(const RawKeyboard& key)
{
    RecordedKey recorded;
    recorded.released = (key.flags & RI_KEY_BREAK) != 0;
    if (key.flags & RI_KEY_E1) {
        recorded.scanCode = kPauseScanCode;
        recorded.virtualKey = USHORT(VK_PAUSE);
        return recorded;
    }
    if (key.makeCode == kPauseScanCode && key.vKey == kNoVirtualKey && !(key.flags & RI_KEY_E0))
        return std::nullopt;
    recorded.scanCode = key.makeCode;
    recorded.extended = (key.flags & RI_KEY_E0) != 0;
    recorded.virtualKey = SidedVirtualKey(key.vKey, key.makeCode, recorded.extended);
    return recorded;
}
