// SPDX-License-Identifier: GPL-3.0-or-later
// The records the device layer builds for the device and reads back from it.
#include "device/ButtonRecordCodec.h"
#include "device/DeviceValues.h"
#include "device/MacroEventBlock.h"
#include "device/server/IDeviceMacros.h"

#include <gtest/gtest.h>

namespace {

uint32_t Word(const ButtonRecord& record, size_t offset)
{
    return uint32_t(record.bytes[offset]) | uint32_t(record.bytes[offset + 1]) << 8 |
           uint32_t(record.bytes[offset + 2]) << 16 | uint32_t(record.bytes[offset + 3]) << 24;
}

uint32_t Half(const ButtonRecord& record, size_t offset)
{
    return uint32_t(record.bytes[offset]) | uint32_t(record.bytes[offset + 1]) << 8;
}

const GUID kId = MakeGuid(0x01020304, 0x0506, 0x0708, {9, 10, 11, 12, 13, 14, 15, 16});

} // namespace

TEST(ButtonRecord, MouseFunctionsAndProfileSwitches)
{
    const std::pair<int32_t, uint32_t> functions[] = {{8, 0},  {1, 1},  {2, 2},  {3, 3},  {46, 4},  {45, 5},
                                                      {53, 6}, {54, 7}, {10, 8}, {13, 9}, {14, 10}, {4, 11}};
    for (const auto& [kind, code] : functions) {
        SCOPED_TRACE(kind);
        const ButtonRecord record = MakeButtonRecord(AssignmentRecord::OfKind(kind));
        EXPECT_EQ(Word(record, 0), 1u);
        EXPECT_EQ(Word(record, 4), 0u);
        EXPECT_EQ(Word(record, 8), 1u);
        EXPECT_EQ(Word(record, 12), code);
        EXPECT_EQ(AssignmentFromButtonRecord(record).kind, kind);
    }
    EXPECT_EQ(Word(MakeButtonRecord(AssignmentRecord::OfKind(25)), 12), 1u);
    EXPECT_EQ(Word(MakeButtonRecord(AssignmentRecord::OfKind(24)), 12), 2u);

    AssignmentRecord profile = AssignmentRecord::OfKind(AssignmentKind::ProfileById);
    profile.WriteGuid(kId);
    const ButtonRecord record = MakeButtonRecord(profile);
    EXPECT_EQ(Word(record, 8), 3u);
    EXPECT_EQ(Word(record, 12), 3u);
    EXPECT_EQ(Word(record, 16), profile.ReadWord(0));
    EXPECT_EQ(Word(record, 28), profile.ReadWord(3));
    EXPECT_EQ(AssignmentFromButtonRecord(record), profile);
}

TEST(ButtonRecord, PayloadCompletions)
{
    // Temporary sensitivity: one value twice, or X and Y when separate.
    AssignmentRecord same = MakeTemporarySensitivityAssignment(1600, 800, 900, false);
    ButtonRecord record = MakeButtonRecord(same);
    EXPECT_EQ(Word(record, 8), 4u);
    EXPECT_EQ(Word(record, 12), 4u);
    EXPECT_EQ(Half(record, 24), 1600u);
    EXPECT_EQ(Half(record, 26), 1600u);
    record = MakeButtonRecord(MakeTemporarySensitivityAssignment(1600, 800, 900, true));
    EXPECT_EQ(Half(record, 24), 800u);
    EXPECT_EQ(Half(record, 26), 900u);
    const AssignmentRecord back = AssignmentFromButtonRecord(record);
    EXPECT_EQ(back.ReadWord(1), 800u);
    EXPECT_EQ(back.ReadWord(2), 900u);
    EXPECT_EQ(back.ReadWord(3) & 0xFF, 1u);

    // Single key: the key's low half, the modifiers, and the Pause bit.
    record = MakeButtonRecord(MakeSingleKeyAssignment(0x1E, 0x41, 0x0003));
    EXPECT_EQ(Word(record, 8), 5u);
    EXPECT_EQ(Half(record, 12), 0x1Eu);
    EXPECT_EQ(Word(record, 14), 0x0003u);
    EXPECT_EQ(AssignmentFromButtonRecord(record).ReadWord(1), 0x0003u);
    record = MakeButtonRecord(MakeSingleKeyAssignment(0x45, 19, 0x0001));
    EXPECT_EQ(Word(record, 14), 0x0001u | kSingleKeyPauseBit);
    EXPECT_EQ(AssignmentFromButtonRecord(record).ReadWord(0), 0x45u | 19u << 16);
    EXPECT_EQ(AssignmentFromButtonRecord(record).ReadWord(1), 0x0001u);
    // Every key comes back as the same key, sides included.
    for (const auto& [scan, virtualKey] : {std::pair{0x1Du, 162u}, {0x1Du, 163u}, {0x1Cu, 108u}, {0x1Eu, 0x41u}}) {
        SCOPED_TRACE(virtualKey);
        const AssignmentRecord key = MakeSingleKeyAssignment(uint16_t(scan), uint16_t(virtualKey), 0x0004);
        EXPECT_EQ(AssignmentFromButtonRecord(MakeButtonRecord(key)), key);
    }
    // A record written without the virtual key still knows Pause by its bit.
    record = MakeButtonRecord(MakeSingleKeyAssignment(0x45, 19, 0));
    record.bytes[18] = record.bytes[19] = 0;
    EXPECT_EQ(AssignmentFromButtonRecord(record).ReadWord(0), 0x45u | 19u << 16);

    // Macro: identity, play mode translated, repeat count.
    const std::pair<int32_t, uint8_t> modes[] = {{1, 1}, {2, 2}, {3, 4}, {4, 3}, {9, 0}};
    for (const auto& [mode, device] : modes) {
        AssignmentRecord macro = AssignmentRecord::OfKind(AssignmentKind::MacroById);
        macro.WriteGuid(kId);
        macro.WritePlayMode(mode);
        macro.WriteRepeatCount(7);
        record = MakeButtonRecord(macro);
        EXPECT_EQ(Word(record, 8), 8u);
        EXPECT_EQ(Word(record, 12), macro.ReadWord(0));
        EXPECT_EQ(record.bytes[28], device);
        EXPECT_EQ(record.bytes[29], 7);
        if (device != 0) {
            EXPECT_EQ(AssignmentFromButtonRecord(record), macro);
        }
    }

    AssignmentRecord program = AssignmentRecord::OfKind(AssignmentKind::LaunchProgram);
    program.WriteGuid(kId);
    record = MakeButtonRecord(program);
    EXPECT_EQ(Word(record, 8), 9u);
    EXPECT_EQ(AssignmentFromButtonRecord(record), program);

    AssignmentRecord keyMap = AssignmentRecord::OfKind(AssignmentKind::KeyMapSecond);
    keyMap.WriteGuid(kId);
    record = MakeButtonRecord(keyMap);
    EXPECT_EQ(Word(record, 8), 12u);
    EXPECT_EQ(Word(record, 12), 3u);
    EXPECT_EQ(Word(record, 16), keyMap.ReadWord(0));

    EXPECT_EQ(Word(MakeButtonRecord(AssignmentRecord::OfKind(AssignmentKind::Advanced)), 8), 6u);
}

TEST(ButtonRecord, KindsWithoutATemplateAndUnknownRecords)
{
    for (int32_t kind : {-1, 16, 23, 26, 78}) {
        const ButtonRecord record = MakeButtonRecord(AssignmentRecord::OfKind(kind));
        EXPECT_TRUE(std::all_of(std::begin(record.bytes), std::end(record.bytes), [](uint8_t b) { return b == 0; }));
    }
    ButtonRecord odd;
    odd.bytes[0] = 1;
    odd.bytes[8] = 1;
    odd.bytes[12] = 42; // no such mouse function
    EXPECT_EQ(AssignmentFromButtonRecord(odd).kind, AssignmentKind::Unset);
    EXPECT_EQ(AssignmentFromButtonRecord(ButtonRecord{}).kind, AssignmentKind::Unset);
}

TEST(MacroEventBlock, LayoutAndRoundTrip)
{
    const std::vector<MacroEvent> events = {MacroEvent::Keystroke(0x1D, 0xA3, true, true),
                                            MacroEvent::Delay(120),
                                            MacroEvent::Keystroke(0x1D, 0xA3, false, true),
                                            MacroEvent::MouseButton(2, true),
                                            MacroEvent::MouseButton(2, false),
                                            MacroEvent::Keystroke(0x45, 19, true, false)};
    const std::vector<uint8_t> block = BuildMacroEventBlock(events);
    ASSERT_EQ(block.size(), MacroEventBlockSize(6));
    EXPECT_EQ(block[4], 6);
    // Keystroke: type 2, scan code, flags (extended; release + extended).
    EXPECT_EQ(block[8], 2);
    EXPECT_EQ(block[12], 0x1D);
    EXPECT_EQ(block[14], kMacroKeyExtended);
    EXPECT_EQ(block[8 + 16 + 6], kMacroKeyRelease | kMacroKeyExtended);
    // Delay in milliseconds.
    EXPECT_EQ(block[16], 3);
    EXPECT_EQ(block[20], 120);
    // Mouse buttons by their device code.
    EXPECT_EQ(block[32], 1);
    EXPECT_EQ(block[36], MacroButtonCode(2, true));
    EXPECT_EQ(block[44], MacroButtonCode(2, false));
    // Pause is sent with the extended bit so the device tells it from Num Lock.
    EXPECT_EQ(block[48 + 6], kMacroKeyExtended);
    EXPECT_TRUE(std::all_of(block.end() - 8, block.end(), [](uint8_t b) { return b == 0; }));

    const auto parsed = ParseMacroEventBlock(block);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->size(), events.size());
    EXPECT_EQ((*parsed)[1], events[1]);
    EXPECT_EQ((*parsed)[3], events[3]);
    EXPECT_EQ((*parsed)[4], events[4]);
    EXPECT_EQ((*parsed)[5], events[5]);
    EXPECT_TRUE((*parsed)[0].IsExtended());
    EXPECT_FALSE((*parsed)[2].IsPress());
    // What was read builds the same block again.
    EXPECT_EQ(BuildMacroEventBlock(*parsed), block);

    EXPECT_EQ(BuildMacroEventBlock({}).size(), 16u);
}

TEST(MacroEventBlock, MalformedBlocksAreRefused)
{
    std::vector<uint8_t> block = BuildMacroEventBlock({MacroEvent::Delay(5), MacroEvent::Delay(6)});
    EXPECT_FALSE(ParseMacroEventBlock(std::span(block).first(block.size() - 1)));
    EXPECT_FALSE(ParseMacroEventBlock(std::span(block).first(8)));
    std::vector<uint8_t> wrongCount = block;
    wrongCount[4] = 200;
    EXPECT_FALSE(ParseMacroEventBlock(wrongCount));
    std::vector<uint8_t> hugeCount = block;
    hugeCount[7] = 0xFF; // a count whose size overflows 32 bits must not pass
    EXPECT_FALSE(ParseMacroEventBlock(hugeCount));
    std::vector<uint8_t> badType = block;
    badType[8] = 9;
    EXPECT_FALSE(ParseMacroEventBlock(badType));
}

TEST(DeviceValues, Conversions)
{
    EXPECT_EQ(ReportIntervalFromRate(0), 8u);
    EXPECT_EQ(ReportIntervalFromRate(1), 2u);
    EXPECT_EQ(ReportIntervalFromRate(2), 1u);
    EXPECT_FALSE(ReportIntervalFromRate(3));
    EXPECT_FALSE(ReportIntervalFromRate(-1));
    EXPECT_EQ(RateFromReportInterval(8), 0);
    EXPECT_EQ(RateFromReportInterval(1), 2);
    EXPECT_EQ(RateFromReportInterval(4), -1);

    // Percent -> battery units truncates; back rounds halves up.
    EXPECT_EQ(BatteryWarningToDevice(5, 0, 255), 12u);
    EXPECT_EQ(BatteryWarningToDevice(100, 0, 255), 255u);
    EXPECT_EQ(BatteryWarningFromDevice(12, 0, 255), 5u);  // 4.7
    EXPECT_EQ(BatteryWarningFromDevice(51, 0, 255), 20u); // 20.0
    EXPECT_EQ(BatteryWarningFromDevice(1, 0, 2), 50u);    // 50.0
    EXPECT_EQ(BatteryWarningFromDevice(1, 0, 200), 1u);   // 0.5 rounds up
    EXPECT_EQ(BatteryWarningFromDevice(3, 0, 8), 38u);    // 37.5 rounds up
    // An empty range must not divide by zero.
    EXPECT_EQ(BatteryWarningFromDevice(7, 5, 5), 0u);
    EXPECT_EQ(BatteryWarningToDevice(50, 9, 3), 0u);

    EXPECT_EQ(ChargingStateFromDevice(2), 2);
    EXPECT_EQ(ChargingStateFromDevice(3), -1);
    EXPECT_EQ(LedKeyFromLightNumber(1), 0);
    EXPECT_EQ(LedKeyFromLightNumber(12), 11);
    EXPECT_EQ(LedKeyFromLightNumber(13), -1);
    EXPECT_EQ(LedKeyFromLightNumber(0), -1);
    EXPECT_EQ(EffectToDevice(5), 5u);
    EXPECT_EQ(EffectToDevice(6), 0u);
    EXPECT_EQ(EffectToDevice(-2), 0u);
}
