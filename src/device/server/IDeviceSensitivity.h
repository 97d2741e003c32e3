// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sensitivity (DPI) of one device profile: up to ten stages, each an X/Y pair,
// the current stage, and the current sensitivity pair.
#include "platform/com/Unknown.h"

#include <cstdint>

constexpr uint32_t kMaxSensitivityStages = 10;

struct SensitivityPair {
    uint32_t x = 0;
    uint32_t y = 0;
};

// Bit n - 1 of a separate-axes mask is set when stage n has its own X and Y
// values, even when they happen to be equal.
constexpr uint32_t StageBit(uint32_t stage)
{
    return stage >= 1 && stage <= kMaxSensitivityStages ? 1u << (stage - 1) : 0;
}

// The stage record.
struct SensitivityStages {
    uint32_t count = 0;    // stages defined, 1..10
    uint32_t inUse = 0;    // stages the stage buttons step through, 1..count
    uint32_t separate = 0; // separate-axes mask (StageBit); no bits beyond `count`
    uint32_t current = 0;  // current stage, 1..count
    uint32_t minimum = 0;  // the device's range and step
    uint32_t maximum = 0;
    uint32_t step = 0;
    SensitivityPair stages[kMaxSensitivityStages]; // entries after `count` are zero
};

// {871D8DC2-84A4-4D1F-99D5-2A4E3BE2E87C}
// Every value must lie in [minimum, maximum] (100..6400 on the current
// generation, 100..5600 on the earlier one); others answer E_INVALIDARG.
struct IDeviceSensitivity : IUnknown {
    static constexpr IID Iid = MakeGuid(0x871D8DC2, 0x84A4, 0x4D1F, {0x99, 0xD5, 0x2A, 0x4E, 0x3B, 0xE2, 0xE8, 0x7C});

    virtual HRESULT GetRange(uint32_t* minimum, uint32_t* maximum, uint32_t* step) = 0; // slot 3
    // Slot 4: the current sensitivity pair (the same value twice when X and Y are not separate).
    virtual HRESULT SetSensitivity(uint32_t x, uint32_t y) = 0;
    virtual HRESULT GetStages(SensitivityStages* stages) = 0; // slot 5
    virtual HRESULT GetCurrentStage(uint32_t* stage) = 0;     // slot 6: 1-based
    virtual HRESULT SetCurrentStage(uint32_t stage) = 0;      // slot 7: 1..count
    virtual HRESULT GetStageCount(uint32_t* count) = 0;       // slot 8
    // Slot 9: replaces all stages: `pairs` holds 2 x count values (X1, Y1, X2, Y2, ...),
    // count 1..10, `inUse` 1..count, `separate` a mask with no bits beyond `count`;
    // anything else answers E_INVALIDARG and changes nothing. A current stage
    // beyond the new count becomes the last stage.
    virtual HRESULT SetStages(uint32_t count, uint32_t inUse, uint32_t separate, const uint32_t* pairs) = 0;
    // Slot 10: the current sensitivity as three values: value (= x), x and y.
    virtual HRESULT GetSensitivity(uint32_t* value, uint32_t* x, uint32_t* y) = 0;
};
