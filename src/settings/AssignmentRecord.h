// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What one mouse button or keyboard key does: a kind (see AssignmentKind.h) and a
// 528-byte payload whose layout depends on the kind. Copied by value; two records
// are equal only when the kind and every payload byte (unused ones included) match.
//
// Payload layouts:
//   macro by identity (6)    GUID at 0, play mode at 520, repeat count at 524
//   macro by name (7)        zero-terminated UTF-16 name at 0, play mode, repeat count
//   profile / key map / program (22, 31, 75)   GUID at 0
//   profile by name (23)     zero-terminated UTF-16 name at 0
//   single key (5)           word 0: scan code | virtual key << 16; word 1: modifiers
//   temporary sensitivity (21)  words 0..2: value, X, Y; low byte of word 3: separate
#include "platform/com/Guid.h"
#include "settings/AssignmentKind.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class CMacro;

struct AssignmentRecord {
    static constexpr size_t kPayloadSize = 528;
    static constexpr size_t kPlayModeOffset = 520;
    static constexpr size_t kRepeatCountOffset = 524;
    // A name in the payload occupies offsets 0..519, terminator included.
    static constexpr size_t kMaxNameUnits = kPlayModeOffset / 2;
    static constexpr size_t kPayloadWords = kPayloadSize / 4;

    int32_t kind = AssignmentKind::Unset;
    std::array<uint8_t, kPayloadSize> payload{};

    friend bool operator==(const AssignmentRecord&, const AssignmentRecord&) = default;

    static AssignmentRecord Unset() { return AssignmentRecord{}; }
    // A record of the kind with an all-zero payload.
    static AssignmentRecord OfKind(int32_t kind);

    // Little-endian 32-bit word at payload offset 4 * index; index must be below
    // kPayloadWords (out-of-range reads give 0 and writes do nothing).
    uint32_t ReadWord(size_t index) const;
    void WriteWord(size_t index, uint32_t value);

    GUID ReadGuid() const;
    void WriteGuid(const GUID& guid);

    // The name stored at offset 0, up to its terminator (never past offset 520).
    std::u16string ReadName() const;
    // Stores the name with its terminator and zeroes the rest of the name area.
    // Refused (false, record unchanged) when the name does not fit with its
    // terminator or contains a zero unit.
    bool WriteName(std::u16string_view name);

    int32_t ReadPlayMode() const;
    void WritePlayMode(int32_t mode);
    // Play modes are 1..4; anything else stored counts as 1 when edited.
    int32_t EffectivePlayMode() const;
    uint8_t ReadRepeatCount() const;
    void WriteRepeatCount(uint8_t count);
};

namespace MacroPlayMode {
constexpr int32_t Once = 1;
constexpr int32_t Multiple = 2;
constexpr int32_t WhilePressed = 3;
constexpr int32_t UntilPressed = 4;
} // namespace MacroPlayMode

// A macro assignment: by identity (kind 6), or by name (kind 7) when the macro's
// GUID is null. Play mode 1 and repeat count 0 unless given.
AssignmentRecord MakeMacroAssignment(const CMacro& macro, int32_t playMode = MacroPlayMode::Once,
                                     uint8_t repeatCount = 0);

// A profile switch: by identity (kind 22), or by name (kind 23) when the GUID is
// null. Fails (returns an unset record) when a name is needed and does not fit.
AssignmentRecord MakeProfileAssignment(std::u16string_view profileName, const GUID& profileGuid);

// A single keyboard key with its modifier word.
AssignmentRecord MakeSingleKeyAssignment(uint16_t scanCode, uint16_t virtualKey, uint32_t modifiers);

// A temporary sensitivity switch with its value, X and Y.
AssignmentRecord MakeTemporarySensitivityAssignment(uint32_t dpi, uint32_t x, uint32_t y, bool separate);
