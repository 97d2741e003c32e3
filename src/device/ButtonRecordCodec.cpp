// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/ButtonRecordCodec.h"

#include <array>
#include <cstring>
#include <map>

namespace {

constexpr uint32_t kActionMouseFunction = 1;
constexpr uint32_t kActionProfileSwitch = 3;
constexpr uint32_t kActionTemporarySensitivity = 4;
constexpr uint32_t kActionSingleKey = 5;
constexpr uint32_t kActionAdvanced = 6;
constexpr uint32_t kActionMacro = 8;
constexpr uint32_t kActionLaunchProgram = 9;
constexpr uint32_t kActionKeyMap = 12;
constexpr size_t kSingleKeyVirtualKeyOffset = 18;

void Put32(ButtonRecord& record, size_t offset, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        record.bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

void Put16(ButtonRecord& record, size_t offset, uint32_t value)
{
    record.bytes[offset] = static_cast<uint8_t>(value);
    record.bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

uint32_t Get32(const ButtonRecord& record, size_t offset)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= uint32_t(record.bytes[offset + i]) << (8 * i);
    return value;
}

uint32_t Get16(const ButtonRecord& record, size_t offset)
{
    return uint32_t(record.bytes[offset]) | uint32_t(record.bytes[offset + 1]) << 8;
}

// Payload words 0..3 (an identity) into the record at `offset`.
void CopyIdentity(ButtonRecord& record, size_t offset, const AssignmentRecord& assignment)
{
    std::memcpy(record.bytes + offset, assignment.payload.data(), 16);
}

void CopyIdentityBack(AssignmentRecord& assignment, const ButtonRecord& record, size_t offset)
{
    std::memcpy(assignment.payload.data(), record.bytes + offset, 16);
}

// Kinds whose record is a mouse function with a fixed code at offset 12.
constexpr std::array<std::pair<int32_t, uint32_t>, 12> kMouseFunctions = {{
    {AssignmentKind::ButtonOff, 0},
    {AssignmentKind::Click, 1},
    {AssignmentKind::Menu, 2},
    {AssignmentKind::UniversalScrolling, 3},
    {AssignmentKind::Forward, 4},
    {AssignmentKind::Backward, 5},
    {AssignmentKind::ScrollUp, 6},
    {AssignmentKind::ScrollDown, 7},
    {AssignmentKind::OnTheFlySensitivity, 8},
    {AssignmentKind::SensitivityStageUp, 9},
    {AssignmentKind::SensitivityStageDown, 10},
    {AssignmentKind::DoubleClick, 11},
}};

// The record templates, built once: every template starts with 1, 0, action type.
const std::map<int32_t, ButtonRecord>& Templates()
{
    static const std::map<int32_t, ButtonRecord> templates = [] {
        std::map<int32_t, ButtonRecord> table;
        auto make = [](uint32_t action, uint32_t data) {
            ButtonRecord record;
            Put32(record, 0, 1);
            Put32(record, 8, action);
            Put32(record, 12, data);
            return record;
        };
        for (const auto& [kind, code] : kMouseFunctions)
            table[kind] = make(kActionMouseFunction, code);
        table[AssignmentKind::ProfileDown] = make(kActionProfileSwitch, 1);
        table[AssignmentKind::ProfileUp] = make(kActionProfileSwitch, 2);
        table[AssignmentKind::ProfileById] = make(kActionProfileSwitch, 3);
        table[AssignmentKind::TemporarySensitivity] = make(kActionTemporarySensitivity, 4);
        table[AssignmentKind::SingleKey] = make(kActionSingleKey, 0);
        table[AssignmentKind::MacroById] = make(kActionMacro, 0);
        table[AssignmentKind::MacroByName] = make(kActionMacro, 0);
        table[AssignmentKind::LaunchProgram] = make(kActionLaunchProgram, 0);
        table[AssignmentKind::Advanced] = make(kActionAdvanced, 0);
        table[AssignmentKind::KeyMap] = make(kActionKeyMap, 3);
        table[AssignmentKind::KeyMapSecond] = make(kActionKeyMap, 3);
        return table;
    }();
    return templates;
}

uint8_t PlayModeToDevice(int32_t mode)
{
    switch (mode) {
    case 1:
        return 1;
    case 2:
        return 2;
    case 3:
        return 4;
    case 4:
        return 3;
    default:
        return 0;
    }
}

int32_t PlayModeFromDevice(uint8_t mode)
{
    switch (mode) {
    case 1:
        return 1;
    case 2:
        return 2;
    case 4:
        return 3;
    case 3:
        return 4;
    default:
        return 0;
    }
}

} // namespace

ButtonRecord MakeButtonRecord(const AssignmentRecord& assignment)
{
    const auto& templates = Templates();
    auto it = templates.find(assignment.kind);
    if (it == templates.end())
        return ButtonRecord{};
    ButtonRecord record = it->second;
    switch (assignment.kind) {
    case AssignmentKind::ProfileById:
    case AssignmentKind::KeyMap:
    case AssignmentKind::KeyMapSecond:
        CopyIdentity(record, 16, assignment);
        break;
    case AssignmentKind::TemporarySensitivity:
        if ((assignment.ReadWord(3) & 0xFF) == 1) {
            Put16(record, 24, assignment.ReadWord(1));
            Put16(record, 26, assignment.ReadWord(2));
        } else {
            Put16(record, 24, assignment.ReadWord(0));
            Put16(record, 26, assignment.ReadWord(0));
        }
        break;
    case AssignmentKind::SingleKey: {
        const uint32_t key = assignment.ReadWord(0);
        uint32_t modifiers = assignment.ReadWord(1);
        if ((key >> 16) == 19)
            modifiers |= kSingleKeyPauseBit;
        Put16(record, 12, key & 0xFFFF);
        Put32(record, 14, modifiers);
        // The device acts on the key alone; the virtual key rides along so that
        // the assignment reads back as the same key (left Ctrl stays left Ctrl).
        Put16(record, kSingleKeyVirtualKeyOffset, key >> 16);
        break;
    }
    case AssignmentKind::MacroById:
    case AssignmentKind::MacroByName:
        CopyIdentity(record, 12, assignment);
        record.bytes[28] = PlayModeToDevice(assignment.ReadPlayMode());
        record.bytes[29] = assignment.ReadRepeatCount();
        break;
    case AssignmentKind::LaunchProgram:
        CopyIdentity(record, 12, assignment);
        break;
    default:
        break;
    }
    return record;
}

AssignmentRecord AssignmentFromButtonRecord(const ButtonRecord& record)
{
    AssignmentRecord assignment;
    if (Get32(record, 0) != 1)
        return assignment;
    const uint32_t data = Get32(record, 12);
    switch (Get32(record, 8)) {
    case kActionMouseFunction:
        for (const auto& [kind, code] : kMouseFunctions) {
            if (code == data) {
                assignment.kind = kind;
                break;
            }
        }
        break;
    case kActionProfileSwitch:
        if (data == 1) {
            assignment.kind = AssignmentKind::ProfileDown;
        } else if (data == 2) {
            assignment.kind = AssignmentKind::ProfileUp;
        } else if (data == 3) {
            assignment.kind = AssignmentKind::ProfileById;
            CopyIdentityBack(assignment, record, 16);
        }
        break;
    case kActionTemporarySensitivity: {
        const uint32_t x = Get16(record, 24);
        const uint32_t y = Get16(record, 26);
        assignment.kind = AssignmentKind::TemporarySensitivity;
        assignment.WriteWord(0, x);
        assignment.WriteWord(1, x);
        assignment.WriteWord(2, y);
        assignment.WriteWord(3, x != y ? 1 : 0);
        break;
    }
    case kActionSingleKey: {
        uint32_t modifiers = Get32(record, 14);
        // Records written without the virtual key know only Pause by its bit.
        uint32_t virtualKey = Get16(record, kSingleKeyVirtualKeyOffset);
        if (virtualKey == 0 && (modifiers & kSingleKeyPauseBit))
            virtualKey = 19;
        modifiers &= ~kSingleKeyPauseBit;
        assignment.kind = AssignmentKind::SingleKey;
        assignment.WriteWord(0, Get16(record, 12) | virtualKey << 16);
        assignment.WriteWord(1, modifiers);
        break;
    }
    case kActionAdvanced:
        assignment.kind = AssignmentKind::Advanced;
        break;
    case kActionMacro:
        assignment.kind = AssignmentKind::MacroById;
        CopyIdentityBack(assignment, record, 12);
        assignment.WritePlayMode(PlayModeFromDevice(record.bytes[28]));
        assignment.WriteRepeatCount(record.bytes[29]);
        break;
    case kActionLaunchProgram:
        assignment.kind = AssignmentKind::LaunchProgram;
        CopyIdentityBack(assignment, record, 12);
        break;
    case kActionKeyMap:
        if (data == 3) {
            assignment.kind = AssignmentKind::KeyMap;
            CopyIdentityBack(assignment, record, 16);
        }
        break;
    default:
        break;
    }
    return assignment;
}
