// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTest>

#include "controls/BitmapItem.h"
#include "controls/ControlFactories.h"
#include "controls/KeyboardKeyItem.h"
#include "platform/core/VirtualKeys.h"
#include "skin/ControlRegistry.h"
#include "skin/ItemIds.h"
#include "skin/LangTable.h"
#include "skin/SkinLoader.h"
#include "skin/SkinTestSupport.h"

using namespace skintest;

namespace {

struct TestKey {
    std::u16string name;
    uint16_t code;
    uint8_t flag;
};

std::string KeyFile(const std::vector<TestKey>& keys)
{
    std::string bytes;
    auto put16 = [&bytes](uint16_t v) {
        bytes.push_back(static_cast<char>(v & 0xFF));
        bytes.push_back(static_cast<char>(v >> 8));
    };
    auto put32 = [&put16](uint32_t v) {
        put16(static_cast<uint16_t>(v & 0xFFFF));
        put16(static_cast<uint16_t>(v >> 16));
    };
    put32(static_cast<uint32_t>(keys.size()));
    for (const TestKey& key : keys) {
        put32(static_cast<uint32_t>(key.name.size() * 2));
        for (char16_t c : key.name)
            put16(c);
        put16(0xFFFF);
        put16(0xFFFF);
        for (int block = 0; block < 4; ++block)
            for (int entry = 0; entry < 10; ++entry) {
                put16(block == 0 && entry == 0 ? key.code : 0);
                bytes.push_back(static_cast<char>(block == 0 && entry == 0 ? key.flag : 0));
                bytes.push_back(0);
            }
    }
    return bytes;
}

TEST(LoaderKeys, KeysCutTheirLookFromTheSharedPictureAndKnowTheirScanCodes)
{
    ClearControlFactories();
    ResetLanguages();
    RegisterAllControls();
    TestAppDir app;
    WriteBytes(app.path() / "bin" / "keys.bin",
               KeyFile({{u"a A", 0x1E, 0}, {u"Right Control", 0x1D, 1}, {u"None", 0x3B, 0}}));
    // The shared key picture: red on the left, blue on the right.
    QImage keyboard(200, 30, QImage::Format_RGB32);
    keyboard.fill(Qt::red);
    QPainter(&keyboard).fillRect(100, 0, 100, 30, Qt::blue);
    keyboard.save(QString::fromStdString((app.path() / "skins" / "keyboard.png").string()));
    app.WriteXml("Keys.xml", R"(<KEYBOARD>
      <KEYBOARDDEF name="KBDDEF_WINDOWS" file="keys.bin"/>
      <BITMAPLIST><BITMAPITEM name="BITMAP_MOUSE_TOPVIEW"><RECT left="0" top="0" right="200" bottom="30"/><SBMN>strip.png</SBMN></BITMAPITEM></BITMAPLIST>
      <KBDKEYLIST windowid="BITMAP_MOUSE_TOPVIEW">
        <BUTTONBITMAPS><SBMN>keyboard.png</SBMN></BUTTONBITMAPS>
        <KBDKEY name="BUTTON_ASSNBUTTON4" caption="a" kbddefid="a A"><RECT left="10" top="5" right="30" bottom="25"/></KBDKEY>
        <KBDKEY name="BUTTON_ASSNBUTTON5" caption="ctrl" kbddefid="Right Control" tooltip="$Ctrl"><RECT left="150" top="5" right="180" bottom="25"/></KBDKEY>
        <KBDKEY name="BUTTON_ASSNSCROLLUP" caption="none" kbddefid="None"><RECT left="40" top="5" right="60" bottom="25"/></KBDKEY>
      </KBDKEYLIST>
    </KEYBOARD>)");

    RecordingWindow owner;
    CGUIItems items;
    ASSERT_TRUE(LoadSkinFile(items, u"Keys.xml", &owner, false));
    auto* picture = dynamic_cast<CBitmapItem*>(items.FindById(ItemId::BITMAP_MOUSE_TOPVIEW));
    auto* a = dynamic_cast<CKeyboardKeyItem*>(items.FindById(ItemId::BUTTON_ASSNBUTTON4));
    auto* ctrl = dynamic_cast<CKeyboardKeyItem*>(items.FindById(ItemId::BUTTON_ASSNBUTTON5));
    auto* none = dynamic_cast<CKeyboardKeyItem*>(items.FindById(ItemId::BUTTON_ASSNSCROLLUP));
    ASSERT_TRUE(picture && a && ctrl && none);

    EXPECT_EQ(a->kind, ItemKind::KBDKEY);
    EXPECT_EQ(a->parentWidget(), picture);
    EXPECT_EQ(a->ChosenImage().pixelColor(2, 2), QColor(Qt::red));
    EXPECT_EQ(ctrl->ChosenImage().pixelColor(2, 2), QColor(Qt::blue));
    EXPECT_EQ(ctrl->ChosenImage().size(), QSize(30, 20));

    ASSERT_TRUE(a->Key().has_value());
    EXPECT_EQ(a->ScanCode(), 0x1Eu);
    EXPECT_FALSE(a->IsExtended());
    EXPECT_EQ(a->VirtualKey(), static_cast<UINT>('A'));
    EXPECT_FALSE(a->TooltipText().isEmpty()); // the key's own name when the skin gives none
    ASSERT_TRUE(ctrl->Key().has_value());
    EXPECT_TRUE(ctrl->IsExtended());
    EXPECT_EQ(ctrl->VirtualKey(), VK_RCONTROL);
    EXPECT_EQ(ctrl->TooltipText(), QStringLiteral("$Ctrl")); // the skin's tooltip stays
    // A placeholder key is listed in the definition but never bound.
    EXPECT_FALSE(none->Key().has_value());
    EXPECT_EQ(none->Caption(), QStringLiteral("none"));

    // Clicks on keys pass through their picture to the owner.
    owner.show();
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(3, 3));
    const auto clicks = owner.Of(WM_COMMAND);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(items.FindByHandle(reinterpret_cast<HWND>(clicks[0].lParam)), a);
    items.Clear();
    ClearControlFactories();
}

} // namespace
