// SPDX-License-Identifier: GPL-3.0-or-later
// Ctrl+Tab leaves a key field without the field ever seeing the combination;
// every other sequence reaches the field whole and in order.
#include "popups/KeyFieldGate.h"
#include "platform/core/VirtualKeys.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Key {
    USHORT scan;
    USHORT vKey;
};
constexpr Key kCtrl{29, 0x11};
constexpr Key kShift{42, 0x10};
constexpr Key kTab{15, VK_TAB};
constexpr Key kA{30, 'A'};

RawInput Record(Key key, bool down)
{
    RawInput record;
    record.type = RIM_TYPEKEYBOARD;
    record.keyboard.makeCode = key.scan;
    record.keyboard.vKey = key.vKey;
    record.keyboard.flags = down ? 0 : RI_KEY_BREAK;
    return record;
}

// "29v 30v 30^ 29^": what the field was given, in order.
std::string Describe(const std::vector<RawInput>& records)
{
    std::string text;
    for (const RawInput& r : records)
        text += std::to_string(r.keyboard.makeCode) + ((r.keyboard.flags & RI_KEY_BREAK) ? "^ " : "v ");
    return text;
}

TEST(KeyFieldGateTest, OnlyCtrlTabLeavesAndEverythingElseArrivesInOrder)
{
    struct Step {
        Key key;
        bool down;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        std::string delivered;
        std::vector<bool> leaves; // directions of each leave, in order
    } cases[] = {
        {"a plain key", {{kA, true}, {kA, false}}, "30v 30^ ", {}},
        {"Tab alone is a key", {{kTab, true}, {kTab, false}}, "15v 15^ ", {}},
        {"Ctrl+A: Ctrl comes through before A",
         {{kCtrl, true}, {kA, true}, {kA, false}, {kCtrl, false}},
         "29v 30v 30^ 29^ ",
         {}},
        {"Ctrl alone, held and repeated, comes through once on release",
         {{kCtrl, true}, {kCtrl, true}, {kCtrl, false}},
         "29v 29^ ",
         {}},
        {"Ctrl+Tab leaves and nothing of it arrives",
         {{kCtrl, true}, {kTab, true}, {kTab, false}, {kCtrl, false}},
         "",
         {true}},
        {"Ctrl+Shift+Tab leaves backwards",
         {{kShift, true}, {kCtrl, true}, {kTab, true}, {kCtrl, false}, {kShift, false}},
         "",
         {false}},
        {"Shift+Tab is a key with its modifier",
         {{kShift, true}, {kTab, true}, {kTab, false}, {kShift, false}},
         "42v 15v 15^ 42^ ",
         {}},
        {"after leaving, the next Ctrl+A is whole",
         {{kCtrl, true}, {kTab, true}, {kCtrl, false}, {kCtrl, true}, {kA, true}},
         "29v 30v ",
         {true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CKeyFieldGate gate;
        std::vector<RawInput> delivered;
        std::vector<bool> leaves;
        for (const Step& step : c.steps) {
            CKeyFieldGate::Outcome outcome = gate.Take(Record(step.key, step.down));
            delivered.insert(delivered.end(), outcome.deliver.begin(), outcome.deliver.end());
            if (outcome.leaveForward)
                leaves.push_back(*outcome.leaveForward);
        }
        EXPECT_EQ(Describe(delivered), c.delivered);
        EXPECT_EQ(leaves, c.leaves);
    }
}

} // namespace
