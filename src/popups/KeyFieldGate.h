// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which raw key records reach a key field. A key field records every key, Tab and
// Escape included, so the keyboard needs one combination to leave it: Ctrl+Tab
// (Ctrl+Shift+Tab backwards). Ctrl and Shift presses are therefore held back until
// the next record shows whether they begin that combination; when they do, neither
// they nor their releases reach the field, so leaving changes nothing it holds.
// Any other key lets them through first, in the order they came, so a field sees
// the same records as before, a little later.
#include "platform/core/RawInput.h"

#include <optional>
#include <vector>

class CKeyFieldGate {
public:
    struct Outcome {
        // The records the field is to be given now, in order.
        std::vector<RawInput> deliver;
        // Set when the record completed the leaving combination: true to move on
        // to the next control, false to the previous one.
        std::optional<bool> leaveForward;
    };

    Outcome Take(const RawInput& record);
    // Forgets held and swallowed keys (the field lost the keyboard meanwhile).
    void Reset();
    bool IsHolding() const { return !held_.empty(); }

private:
    // A key is its make code with the E0 prefix beside it, so that the two Ctrl
    // keys are told apart.
    static unsigned KeyOf(const RawKeyboard& key);
    bool Holds(unsigned key) const;

    std::vector<RawInput> held_;
    std::vector<unsigned> swallowed_; // keys whose releases are not passed on
};
