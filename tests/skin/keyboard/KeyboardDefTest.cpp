// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/keyboard/KeyboardDef.h"
#include "skin/keyboard/KeyHash.h"
#include "skin/keyboard/KeyNames.h"
#include "skin/keyboard/StandardKeyboard.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "support/TempDir.h"

namespace {

KeyRecord Key(std::u16string name, KeyCodeEntry first, KeyCodeEntry second = {})
{
    KeyRecord record;
    record.name = std::move(name);
    record.blocks[0][0] = first;
    record.blocks[0][1] = second;
    return record;
}

} // namespace

TEST(KeyboardDef, PlaceholderAndCodelessKeysAreListedButNeverFound)
{
    CKeyboardDef def;
    std::vector<KeyRecord> keys = {Key(u"None", {0x10, 0}),     Key(u"do not use", {0x11, 0}),
                                   Key(u"Reserved", {0x12, 0}), Key(u"UNASSIGNED", {0x13, 0}),
                                   Key(u"No Code", {-1, 0}),    Key(u"q Q", {0x10, 0})};
    ASSERT_TRUE(def.LoadDefinition(SerializeKeyFile(keys)));
    EXPECT_EQ(def.KeyCount(), 6u);
    EXPECT_EQ(def.KeyByHash(HashKeyName(u"None")), KeyCode{});
    EXPECT_FALSE(def.FindKey(HashKeyName(u"No Code")));
    // "None" shares the code of "q Q": only the valid key answers.
    EXPECT_EQ(def.KeyByCode(0x10, 0), HashKeyName(u"q Q"));
    EXPECT_FALSE(def.KeyByCode(0x11, 0));
}

TEST(KeyboardDef, LaterRecordWithTheSameNameWins)
{
    CKeyboardDef def;
    std::vector<KeyRecord> keys = {Key(u"Dup", {0x20, 0}), Key(u"Dup", {0x21, 0})};
    ASSERT_TRUE(def.LoadDefinition(SerializeKeyFile(keys)));
    EXPECT_EQ(def.KeyByHash(HashKeyName(u"Dup")), (KeyCode{0x21, 0}));
    EXPECT_FALSE(def.KeyByCode(0x20, 0));
    EXPECT_EQ(def.Keys().size(), 2u);
}

TEST(KeyboardDef, DeviceCodesSelectTheFlagByTheirHighHalf)
{
    CKeyboardDef def;
    std::vector<KeyRecord> keys = {Key(u"Plain", {0x45, 0}), Key(u"Extended", {0xE0, 1}, {0x45, 0}),
                                   Key(u"E1", {0xE1, 2}, {0x45, 0})};
    ASSERT_TRUE(def.LoadDefinition(SerializeKeyFile(keys)));
    EXPECT_EQ(def.KeyByDeviceCode(0x00040045), HashKeyName(u"E1"));
    EXPECT_EQ(def.KeyByDeviceCode(0x00020045), HashKeyName(u"Extended"));
    EXPECT_EQ(def.KeyByDeviceCode(0x00000045), HashKeyName(u"Plain"));
    EXPECT_EQ(def.KeyByDeviceCode(0x00010045), HashKeyName(u"Plain"));
    EXPECT_FALSE(def.KeyByDeviceCode(0x00020046));
}

TEST(KeyboardDef, FirstCompleteLoadIsKept)
{
    CKeyboardDef def;
    std::vector<KeyRecord> first = {Key(u"One", {0x02, 0})};
    std::vector<uint8_t> truncated = SerializeKeyFile(first);
    truncated.pop_back();
    EXPECT_FALSE(def.LoadDefinition(truncated));
    EXPECT_FALSE(def.IsLoaded());

    ASSERT_TRUE(def.LoadDefinition(SerializeKeyFile(first)));
    EXPECT_TRUE(def.IsLoaded());
    std::vector<KeyRecord> second = {Key(u"Two", {0x03, 0})};
    EXPECT_TRUE(def.LoadDefinition(SerializeKeyFile(second)));
    EXPECT_FALSE(def.FindKey(HashKeyName(u"Two")));
    EXPECT_TRUE(def.FindKey(HashKeyName(u"One")));
}

TEST(KeyboardDef, AFileThatFallsShortLeavesNoKeysBehind)
{
    CKeyboardDef def;
    const std::vector<KeyRecord> keys = {Key(u"One", {0x02, 0}), Key(u"Two", {0x03, 0})};
    // The first record whole, the second cut off.
    std::vector<uint8_t> halfway = SerializeKeyFile(keys);
    halfway.resize(halfway.size() - 10);
    EXPECT_FALSE(def.LoadDefinition(halfway));
    EXPECT_EQ(def.KeyCount(), 0u);
    EXPECT_FALSE(def.FindKey(HashKeyName(u"One")));

    ASSERT_TRUE(def.LoadDefinition(SerializeKeyFile(keys)));
    EXPECT_EQ(def.KeyCount(), 2u);

    def.Clear();
    EXPECT_FALSE(def.IsLoaded());
    EXPECT_EQ(def.KeyCount(), 0u);
}

TEST(KeyboardDef, DefaultsAndFiles)
{
    TempDir dir;
    const std::vector<KeyRecord> records = BuildStandardKeyRecords();
    const std::vector<uint8_t> keyFile = SerializeKeyFile(records);
    const std::vector<uint8_t> defaultFile = SerializeDefaultFile(BuildStandardKeyDefaults(records));
    std::ofstream(dir / "k.kbd", std::ios::binary).write(reinterpret_cast<const char*>(keyFile.data()), keyFile.size());
    std::ofstream(dir / "d.kbd", std::ios::binary)
        .write(reinterpret_cast<const char*>(defaultFile.data()), defaultFile.size() - 1);

    CKeyboardDef def;
    EXPECT_FALSE(def.LoadDefinitionFile(dir / "missing.kbd"));
    ASSERT_TRUE(def.LoadDefinitionFile(dir / "k.kbd"));
    EXPECT_FALSE(def.LoadDefaultsFile(dir / "d.kbd")); // one byte short: ignored
    EXPECT_FALSE(def.DefaultOf(HashKeyName(u"Right Control")));
    ASSERT_TRUE(def.LoadDefaults(defaultFile));
    EXPECT_EQ(def.DefaultOf(HashKeyName(u"Right Control")), (KeyCode{0x1D, 1}));
}

TEST(KeyNames, BothVariantsInUsageOrder)
{
    auto standard = KeyNameList(KeyNameVariant::Standard);
    auto extended = KeyNameList(KeyNameVariant::WithF23F24);
    ASSERT_EQ(standard.size(), 126u);
    ASSERT_EQ(extended.size(), 128u);
    EXPECT_EQ(standard[0], u"PROFILE01");
    EXPECT_EQ(standard[19], u"PROFILE20");
    EXPECT_EQ(standard[20], u"a A");
    EXPECT_EQ(standard.back(), u"Right GUI");
    EXPECT_EQ(KeyboardKeyNames(KeyNameVariant::WithF23F24).size(), 108u);
    auto f12 = std::find(extended.begin(), extended.end(), u"F12");
    ASSERT_NE(f12, extended.end());
    EXPECT_EQ(*(f12 + 1), u"F23");
    EXPECT_EQ(*(f12 + 2), u"F24");
    EXPECT_EQ(*(f12 + 3), u"Print Screen (Note 1)");
    EXPECT_EQ(std::find(standard.begin(), standard.end(), u"F23"), standard.end());
    EXPECT_NE(std::find(standard.begin(), standard.end(), u"' \""), standard.end());
    EXPECT_NE(std::find(standard.begin(), standard.end(), u"` ~"), standard.end());
}

TEST(StandardKeyboard, EveryKeyIsFoundByItsNameAndItsCode)
{
    CKeyboardDef def;
    const std::vector<KeyRecord> records = BuildStandardKeyRecords();
    ASSERT_TRUE(def.LoadDefinition(SerializeKeyFile(records)));
    std::set<uint32_t> hashes;
    for (std::u16string_view name : KeyboardKeyNames(KeyNameVariant::WithF23F24)) {
        const uint32_t hash = HashKeyName(name);
        EXPECT_TRUE(hashes.insert(hash).second) << "hash collision";
        const KeyCode code = def.KeyByHash(hash);
        EXPECT_NE(code.scanCode, 0);
        // Codes are unique, so the reverse look-up leads back to the same key.
        EXPECT_EQ(def.KeyByCode(code.scanCode, code.flag), hash);
    }
    EXPECT_EQ(def.KeyByHash(HashKeyName(u"Right Control")), (KeyCode{0x1D, 1}));
    EXPECT_EQ(def.KeyByHash(HashKeyName(u"Left Control")), (KeyCode{0x1D, 0}));
    EXPECT_EQ(def.KeyByHash(HashKeyName(u"Pause")), (KeyCode{0x45, 2}));
    EXPECT_EQ(def.KeyByHash(HashKeyName(u"Num Lock")), (KeyCode{0x45, 0}));
    EXPECT_EQ(def.KeyByHash(HashKeyName(u"Keypad Enter")), (KeyCode{0x1C, 1}));
    EXPECT_FALSE(def.FindKey(HashKeyName(u"PROFILE01")));
}
