// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/keyboard/KeyFileFormat.h"
#include "skin/keyboard/KeyHash.h"

#include <gtest/gtest.h>

namespace {

KeyRecord Key(std::u16string name, std::initializer_list<KeyCodeEntry> block0)
{
    KeyRecord record;
    record.name = std::move(name);
    std::copy(block0.begin(), block0.end(), record.blocks[0].begin());
    return record;
}

std::vector<uint8_t> TwoKeyFile()
{
    std::vector<KeyRecord> keys = {Key(u"a A", {{0x1E, 0}}), Key(u"Right Control", {{0xE0, 1}, {0x1D, 0}})};
    keys[1].code1 = 0xE4;
    keys[1].blocks[3][9] = {-7, 0x80};
    return SerializeKeyFile(keys);
}

void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(uint8_t(value >> shift));
}

} // namespace

TEST(KeyHash, FollowsTheMultiplyBy33RuleWithWrapAround)
{
    EXPECT_EQ(HashKeyName(u""), 5381u);
    EXPECT_EQ(HashKeyName(u"a"), 5381u * 33u + 97u);
    std::u16string longName(40, u'\xFFFF');
    uint64_t expected = 5381;
    for (char16_t c : longName)
        expected = (expected * 33 + c) & 0xFFFFFFFFu;
    EXPECT_EQ(HashKeyName(longName), uint32_t(expected));
}

TEST(DeriveScanCode, PlainPrefixedAndRunLimits)
{
    KeyCodeBlock block{};
    block[0] = {0x1D, 1};
    EXPECT_EQ(DeriveScanCode(block), (KeyCode{0x1D, 1}));

    block[0] = {0xE0, 1};
    block[1] = {0x1D, 0};
    EXPECT_EQ(DeriveScanCode(block), (KeyCode{0x1D, 1}));

    // A flagged entry ends the run even with a code.
    block[2] = {0x2A, 1};
    EXPECT_EQ(DeriveScanCode(block), (KeyCode{0x1D, 1}));

    // Unflagged first entry: taken as it is, the rest ignored.
    block[0] = {0x1E, 0};
    EXPECT_EQ(DeriveScanCode(block), (KeyCode{0x1E, 0}));

    // A run over all ten entries stops at the end of the block.
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = {int16_t(0x10 + i), uint8_t(i == 0 ? 2 : 0)};
    EXPECT_EQ(DeriveScanCode(block), (KeyCode{0x19, 2}));
}

TEST(KeyFile, RoundTripsEveryField)
{
    const std::vector<uint8_t> data = TwoKeyFile();
    EXPECT_EQ(data.size(), 4u + (4 + 6 + 164) + (4 + 26 + 164));
    KeyFileParse parsed = ParseKeyFile(data);
    ASSERT_TRUE(parsed.complete);
    ASSERT_EQ(parsed.records.size(), 2u);
    const KeyRecord& control = parsed.records[1];
    EXPECT_EQ(control.name, u"Right Control");
    EXPECT_EQ(control.hash, HashKeyName(u"Right Control"));
    EXPECT_EQ(control.code1, 0xE4);
    EXPECT_EQ(control.code2, -1);
    EXPECT_EQ(control.blocks[3][9], (KeyCodeEntry{-7, 0x80}));
    EXPECT_EQ(control.derived, (KeyCode{0x1D, 1}));
}

TEST(KeyFile, TruncationAtAnyPointKeepsTheWholeRecordsBefore)
{
    const std::vector<uint8_t> data = TwoKeyFile();
    const size_t firstRecordEnd = 4 + 4 + 6 + 164;
    for (size_t size = 0; size < data.size(); ++size) {
        KeyFileParse parsed = ParseKeyFile(std::span(data).first(size));
        EXPECT_FALSE(parsed.complete) << size;
        EXPECT_EQ(parsed.records.size(), size >= firstRecordEnd ? 1u : 0u) << size;
    }
}

TEST(KeyFile, CountMustMatchExactly)
{
    std::vector<uint8_t> data = TwoKeyFile();
    data[0] = 3; // announces more than present
    EXPECT_FALSE(ParseKeyFile(data).complete);
    EXPECT_EQ(ParseKeyFile(data).records.size(), 2u);

    std::vector<uint8_t> negative;
    PutU32(negative, 0xFFFFFFFFu);
    EXPECT_FALSE(ParseKeyFile(negative).complete);

    std::vector<uint8_t> huge;
    PutU32(huge, 0x7FFFFFFFu); // must not try to allocate for the announced count
    EXPECT_FALSE(ParseKeyFile(huge).complete);

    std::vector<uint8_t> empty;
    PutU32(empty, 0);
    EXPECT_TRUE(ParseKeyFile(empty).complete);
}

TEST(KeyFile, NameLengthLimits)
{
    // 256 characters (512 bytes) are read past, keeping 255, and the record stays aligned.
    std::vector<uint8_t> data;
    PutU32(data, 1);
    PutU32(data, 512);
    for (int i = 0; i < 256; ++i) {
        data.push_back('x');
        data.push_back(0);
    }
    data.insert(data.end(), 164, 0);
    data[4 + 4 + 512 + 4] = 0x1E; // block 0, entry 0 code
    KeyFileParse parsed = ParseKeyFile(data);
    ASSERT_TRUE(parsed.complete);
    EXPECT_EQ(parsed.records[0].name, std::u16string(255, u'x'));
    EXPECT_EQ(parsed.records[0].derived, (KeyCode{0x1E, 0}));

    // A longer name is not a key record: reading stops instead of taking the codes
    // from the middle of the name.
    std::vector<uint8_t> oversized;
    PutU32(oversized, 1);
    PutU32(oversized, 514);
    oversized.insert(oversized.end(), 514 + 164, 0x41);
    EXPECT_FALSE(ParseKeyFile(oversized).complete);
    EXPECT_TRUE(ParseKeyFile(oversized).records.empty());

    // An odd length drops the dangling byte from the name but still skips it.
    std::vector<uint8_t> odd;
    PutU32(odd, 1);
    PutU32(odd, 3);
    odd.insert(odd.end(), {'a', 0, 'b'});
    odd.insert(odd.end(), 164, 0);
    parsed = ParseKeyFile(odd);
    ASSERT_TRUE(parsed.complete);
    EXPECT_EQ(parsed.records[0].name, u"a");
}

TEST(DefaultFile, SizeMustMatchTheCount)
{
    const std::vector<KeyDefault> defaults = {{11, {0x1D, 1}}, {22, {0x45, 2}}};
    std::vector<uint8_t> data = SerializeDefaultFile(defaults);
    auto parsed = ParseDefaultFile(data);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->size(), 2u);
    EXPECT_EQ((*parsed)[1].hash, 22u);
    EXPECT_EQ((*parsed)[1].code, (KeyCode{0x45, 2}));

    EXPECT_FALSE(ParseDefaultFile(std::span(data).first(data.size() - 8)));
    EXPECT_FALSE(ParseDefaultFile(std::span(data).first(3)));
    data[0] = 5;
    EXPECT_FALSE(ParseDefaultFile(data));
}

TEST(DefaultFile, FlagComesFromBits16To23Only)
{
    std::vector<uint8_t> data;
    PutU32(data, 1);
    PutU32(data, 77);
    PutU32(data, 0xAB01002Au);
    auto parsed = ParseDefaultFile(data);
    ASSERT_TRUE(parsed);
    EXPECT_EQ((*parsed)[0].code, (KeyCode{0x2A, 1}));
}
