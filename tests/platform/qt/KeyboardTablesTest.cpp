// SPDX-License-Identifier: GPL-3.0-or-later
// Key names, virtual-key mapping and the evdev to set-1 translation.
#include "platform/core/KeyNames.h"
#include "platform/core/RawInput.h"
#include "platform/core/ScanCodes.h"
#include "platform/core/VirtualKeys.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyNames, ExtendedBitSelectsTheOtherKeyOfTheSameScanCode)
{
    EXPECT_EQ(KeyNameForScanCode(0x1D, false), u"Ctrl");
    EXPECT_EQ(KeyNameForScanCode(0x1D, true), u"Right Ctrl");
    EXPECT_EQ(KeyNameForScanCode(0x38, true), u"Right Alt");
    EXPECT_EQ(KeyNameForScanCode(0x1C, false), u"Enter");
    EXPECT_EQ(KeyNameForScanCode(0x1C, true), u"Num Enter");
    EXPECT_EQ(KeyNameForScanCode(0x48, false), u"Num 8");
    EXPECT_EQ(KeyNameForScanCode(0x48, true), u"Up");
    // Num Lock is only named with the extended bit, which the recorder sets for it.
    EXPECT_EQ(KeyNameForScanCode(0x45, true), u"Num Lock");
    EXPECT_EQ(KeyNameForScanCode(0x45, false), u"Pause");
}

TEST(KeyNames, ParameterCarriesScanCodeInBits16To23AndExtendedInBit24)
{
    EXPECT_EQ(GetKeyNameText(KeyNameParameter(0x1E, false)), u"A");
    EXPECT_EQ(GetKeyNameText(LPARAM(0x4B) << 16 | KEY_EXTENDED_BIT), u"Left");
    // Bits outside the two fields (repeat count, the "don't care" bit) change nothing.
    EXPECT_EQ(GetKeyNameText((LPARAM(0x1E) << 16) | 0x0001 | (LPARAM(1) << 25)), u"A");
    EXPECT_EQ(KeyNameParameter(0x11D, false), LPARAM(0x1D) << 16) << "only the low byte is a scan code";
}

TEST(KeyNames, KeyMessageParameterNamesTheSameKeyAsTheRecord)
{
    RawKeyboard rightCtrlUp{0x1D, RI_KEY_E0 | RI_KEY_BREAK, VK_CONTROL, WM_KEYUP};
    const LPARAM up = KeyMessageLParam(rightCtrlUp, false);
    EXPECT_EQ(GetKeyNameText(up), u"Right Ctrl");
    EXPECT_EQ(up, LPARAM(0xC1000001u | (0x1Du << 16)));

    RawKeyboard altF4{0x3E, RI_KEY_MAKE, VK_F1 + 3, WM_SYSKEYDOWN};
    EXPECT_EQ(KeyMessageLParam(altF4, false), LPARAM(0x20000001u | (0x3Eu << 16)));
    EXPECT_EQ(KeyMessageLParam(altF4, true), LPARAM(0x60000001u | (0x3Eu << 16)));
}

TEST(KeyNames, KeysWithoutANameGiveEmptyText)
{
    EXPECT_EQ(KeyNameForScanCode(0, false), u"");
    EXPECT_EQ(KeyNameForScanCode(0, true), u"");
    EXPECT_EQ(KeyNameForScanCode(0x2A, true), u"") << "the fake shift of extended keys has no name";
    EXPECT_EQ(KeyNameForScanCode(0x7F, false), u"");
}

TEST(VirtualKeys, ScanCodeToVirtualKeyTellsSidesApartOnlyInTheExtendedVariant)
{
    EXPECT_EQ(MapVirtualKey(0x2A, MAPVK_VSC_TO_VK), VK_SHIFT);
    EXPECT_EQ(MapVirtualKey(0x36, MAPVK_VSC_TO_VK_EX), VK_RSHIFT);
    EXPECT_EQ(MapVirtualKey(0x1D, MAPVK_VSC_TO_VK_EX), VK_LCONTROL);
    EXPECT_EQ(MapVirtualKey(0xE01D, MAPVK_VSC_TO_VK_EX), VK_RCONTROL);
    EXPECT_EQ(MapVirtualKey(0xE01D, MAPVK_VSC_TO_VK), VK_CONTROL);
    EXPECT_EQ(MapVirtualKey(0xE038, MAPVK_VSC_TO_VK_EX), VK_RMENU);
    EXPECT_EQ(MapVirtualKey(0x1E, MAPVK_VSC_TO_VK), UINT('A'));
    EXPECT_EQ(MapVirtualKey(0x0B, MAPVK_VSC_TO_VK), UINT('0'));
    EXPECT_EQ(MapVirtualKey(0xE048, MAPVK_VSC_TO_VK_EX), VK_UP);
    EXPECT_EQ(MapVirtualKey(0xE11D, MAPVK_VSC_TO_VK_EX), VK_PAUSE);
    EXPECT_EQ(MapVirtualKey(0x7F, MAPVK_VSC_TO_VK), 0u);
    EXPECT_EQ(MapVirtualKey(0x1E, 99), 0u) << "unknown map type";
}

TEST(VirtualKeys, VirtualKeyToScanCodeFindsTheSideAskedFor)
{
    EXPECT_EQ(MapVirtualKey(VK_SHIFT, MAPVK_VK_TO_VSC), 0x2Au);
    EXPECT_EQ(MapVirtualKey(VK_RSHIFT, MAPVK_VK_TO_VSC), 0x36u);
    EXPECT_EQ(MapVirtualKey(VK_RCONTROL, MAPVK_VK_TO_VSC_EX), 0xE01Du);
    EXPECT_EQ(MapVirtualKey(VK_RCONTROL, MAPVK_VK_TO_VSC), 0x1Du);
    EXPECT_EQ(MapVirtualKey(UINT('Z'), MAPVK_VK_TO_VSC), 0x2Cu);
    EXPECT_EQ(MapVirtualKey(0, MAPVK_VK_TO_VSC), 0u);
}

TEST(ScanCodes, EvdevCodesTranslateToSet1WithPrefixes)
{
    EXPECT_EQ(Set1FromEvdev(1), (Set1ScanCode{0x01, false, false}));  // Esc
    EXPECT_EQ(Set1FromEvdev(30), (Set1ScanCode{0x1E, false, false})); // A
    EXPECT_EQ(Set1FromEvdev(83), (Set1ScanCode{0x53, false, false})); // keypad .
    EXPECT_EQ(Set1FromEvdev(87), (Set1ScanCode{0x57, false, false})); // F11
    EXPECT_EQ(Set1FromEvdev(97), (Set1ScanCode{0x1D, true, false}));  // right Ctrl
    EXPECT_EQ(Set1FromEvdev(103), (Set1ScanCode{0x48, true, false})); // Up
    EXPECT_EQ(Set1FromEvdev(96), (Set1ScanCode{0x1C, true, false}));  // keypad Enter
    EXPECT_EQ(Set1FromEvdev(119), (Set1ScanCode{0x1D, false, true})); // Pause
    EXPECT_EQ(Set1FromEvdev(0), std::nullopt);
    EXPECT_EQ(Set1FromEvdev(84), std::nullopt);
    EXPECT_EQ(Set1FromEvdev(100000), std::nullopt);
}

TEST(ScanCodes, EveryTranslatedKeyTranslatesBack)
{
    for (uint32_t evdev = 0; evdev < 256; ++evdev) {
        if (auto code = Set1FromEvdev(evdev)) {
            EXPECT_EQ(EvdevFromSet1(*code), evdev) << "evdev " << evdev;
        }
    }
    EXPECT_EQ(EvdevFromSet1({0x48, false, false}), 72u) << "keypad 8, not Up";
    EXPECT_EQ(EvdevFromSet1({0x7F, true, false}), 0u);
}

} // namespace
