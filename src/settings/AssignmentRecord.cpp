// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/AssignmentRecord.h"

#include "settings/Macro.h"

#include <algorithm>

namespace {

uint32_t ReadLittleEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void WriteLittleEndian32(uint8_t* p, uint32_t value)
{
    p[0] = uint8_t(value);
    p[1] = uint8_t(value >> 8);
    p[2] = uint8_t(value >> 16);
    p[3] = uint8_t(value >> 24);
}

} // namespace

AssignmentRecord AssignmentRecord::OfKind(int32_t kind)
{
    AssignmentRecord record;
    record.kind = kind;
    return record;
}

uint32_t AssignmentRecord::ReadWord(size_t index) const
{
    if (index >= kPayloadWords)
        return 0;
    return ReadLittleEndian32(payload.data() + 4 * index);
}

void AssignmentRecord::WriteWord(size_t index, uint32_t value)
{
    if (index >= kPayloadWords)
        return;
    WriteLittleEndian32(payload.data() + 4 * index, value);
}

GUID AssignmentRecord::ReadGuid() const
{
    return GUID::FromBytes(payload.data());
}

void AssignmentRecord::WriteGuid(const GUID& guid)
{
    auto bytes = guid.ToBytes();
    std::copy(bytes.begin(), bytes.end(), payload.begin());
}

std::u16string AssignmentRecord::ReadName() const
{
    std::u16string name;
    for (size_t i = 0; i < kMaxNameUnits; ++i) {
        char16_t unit = char16_t(payload[2 * i] | payload[2 * i + 1] << 8);
        if (unit == 0)
            break;
        name.push_back(unit);
    }
    return name;
}

bool AssignmentRecord::WriteName(std::u16string_view name)
{
    if (name.size() + 1 > kMaxNameUnits)
        return false;
    if (name.find(u'\0') != std::u16string_view::npos)
        return false;
    std::fill(payload.begin(), payload.begin() + kPlayModeOffset, uint8_t(0));
    for (size_t i = 0; i < name.size(); ++i) {
        payload[2 * i] = uint8_t(name[i]);
        payload[2 * i + 1] = uint8_t(name[i] >> 8);
    }
    return true;
}

int32_t AssignmentRecord::ReadPlayMode() const
{
    return int32_t(ReadLittleEndian32(payload.data() + kPlayModeOffset));
}

void AssignmentRecord::WritePlayMode(int32_t mode)
{
    WriteLittleEndian32(payload.data() + kPlayModeOffset, uint32_t(mode));
}

int32_t AssignmentRecord::EffectivePlayMode() const
{
    int32_t mode = ReadPlayMode();
    if (mode < MacroPlayMode::Once || mode > MacroPlayMode::UntilPressed)
        return MacroPlayMode::Once;
    return mode;
}

uint8_t AssignmentRecord::ReadRepeatCount() const
{
    return payload[kRepeatCountOffset];
}

void AssignmentRecord::WriteRepeatCount(uint8_t count)
{
    payload[kRepeatCountOffset] = count;
}

AssignmentRecord MakeMacroAssignment(const CMacro& macro, int32_t playMode, uint8_t repeatCount)
{
    AssignmentRecord record;
    if (macro.GetGuid().IsNull()) {
        record.kind = AssignmentKind::MacroByName;
        // A macro name is at most 255 units, so it always fits.
        record.WriteName(macro.GetName());
    } else {
        record.kind = AssignmentKind::MacroById;
        record.WriteGuid(macro.GetGuid());
    }
    record.WritePlayMode(playMode);
    record.WriteRepeatCount(repeatCount);
    return record;
}

AssignmentRecord MakeProfileAssignment(std::u16string_view profileName, const GUID& profileGuid)
{
    AssignmentRecord record;
    if (profileGuid.IsNull()) {
        if (!record.WriteName(profileName))
            return AssignmentRecord::Unset();
        record.kind = AssignmentKind::ProfileByName;
    } else {
        record.kind = AssignmentKind::ProfileById;
        record.WriteGuid(profileGuid);
    }
    return record;
}

AssignmentRecord MakeSingleKeyAssignment(uint16_t scanCode, uint16_t virtualKey, uint32_t modifiers)
{
    AssignmentRecord record = AssignmentRecord::OfKind(AssignmentKind::SingleKey);
    record.WriteWord(0, uint32_t(scanCode) | uint32_t(virtualKey) << 16);
    record.WriteWord(1, modifiers);
    return record;
}

AssignmentRecord MakeTemporarySensitivityAssignment(uint32_t dpi, uint32_t x, uint32_t y, bool separate)
{
    AssignmentRecord record = AssignmentRecord::OfKind(AssignmentKind::TemporarySensitivity);
    record.WriteWord(0, dpi);
    record.WriteWord(1, x);
    record.WriteWord(2, y);
    record.WriteWord(3, separate ? 1u : 0u);
    return record;
}
