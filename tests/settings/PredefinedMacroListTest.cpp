// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/PredefinedMacroList.h"

#include <gtest/gtest.h>
#include <set>

TEST(PredefinedMacroList, EveryCommandReleasesWhatItPressesInReverseOrder)
{
    const CPredefinedMacroList& list = CPredefinedMacroList::Instance();
    ASSERT_FALSE(list.Basic().empty());
    ASSERT_FALSE(list.Additional().empty());
    std::set<std::u16string> names;
    for (const auto* commands : {&list.Basic(), &list.Additional()}) {
        for (const PredefinedMacro& command : *commands) {
            SCOPED_TRACE(std::string(command.name.begin(), command.name.end()));
            EXPECT_TRUE(names.insert(command.name).second) << "two commands share a name";
            EXPECT_EQ(list.Find(command.name), &command);
            std::vector<uint32_t> held;
            for (const MacroEvent& event : command.events) {
                ASSERT_EQ(event.kind, MacroEventKind::Keystroke);
                EXPECT_NE(event.ScanCode(), 0);
                EXPECT_NE(event.VirtualKey(), 0);
                if (event.IsPress()) {
                    held.push_back(event.data1);
                } else {
                    ASSERT_FALSE(held.empty());
                    EXPECT_EQ(held.back(), event.data1) << "released out of order";
                    held.pop_back();
                }
            }
            EXPECT_TRUE(held.empty()) << "a key is left down";
            EXPECT_GE(command.events.size(), 4u) << "a command is a key with at least one modifier";
        }
    }
}

TEST(PredefinedMacroList, NamesAreFoundIgnoringCaseAndUnknownNamesAreNot)
{
    const CPredefinedMacroList& list = CPredefinedMacroList::Instance();
    const PredefinedMacro* copy = list.Find(u"$COPY");
    ASSERT_NE(copy, nullptr);
    // Ctrl, C, C, Ctrl.
    ASSERT_EQ(copy->events.size(), 4u);
    EXPECT_EQ(copy->events[1], MacroEvent::Keystroke(0x2E, 'C', true, false));
    EXPECT_EQ(list.Find(u"$Copy "), nullptr);
    EXPECT_EQ(list.Find(u""), nullptr);
}
