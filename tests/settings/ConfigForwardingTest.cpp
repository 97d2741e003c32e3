// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TovikEliteConfig.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// One per-profile operation of the configuration, seen as a number: `set` stores
// the value that differs from a new profile's, `get` reads it back.
struct ForwardedValue {
    const char* name;
    std::function<void(IMouseConfig&, IMouseProfile*)> set;
    std::function<long long(IMouseConfig&, IMouseProfile*)> get;
};

const ForwardedValue kValues[] = {
    {"stage count", [](IMouseConfig& c, IMouseProfile* p) { c.SetStageCount(3, p); },
     [](IMouseConfig& c, IMouseProfile* p) { return (long long)c.GetStageCount(p); }},
    {"stage dpi", [](IMouseConfig& c, IMouseProfile* p) { c.SetStageDpi(1, 1200, p); },
     [](IMouseConfig& c, IMouseProfile* p) { return (long long)c.GetStageDpi(1, p); }},
    {"stage y", [](IMouseConfig& c, IMouseProfile* p) { c.SetStageY(2, 1400, p); },
     [](IMouseConfig& c, IMouseProfile* p) { return (long long)c.GetStageY(2, p); }},
    {"stage separate", [](IMouseConfig& c, IMouseProfile* p) { c.SetStageSeparate(1, true, p); },
     [](IMouseConfig& c, IMouseProfile* p) { return (long long)c.GetStageSeparate(1, p); }},
    {"current x", [](IMouseConfig& c, IMouseProfile* p) { c.SetCurrentX(1600, p); },
     [](IMouseConfig& c, IMouseProfile* p) { return (long long)c.GetCurrentX(p); }},
    {"second dpi", [](IMouseConfig& c, IMouseProfile* p) { c.SetSecondDpi(2200, p); },
     [](IMouseConfig& c, IMouseProfile* p) { return (long long)c.GetSecondDpi(p); }},
    {"auto switch", [](IMouseConfig& c, IMouseProfile* p) { c.SetAutoSwitch(true, p); },
     [](IMouseConfig& c, IMouseProfile* p) { return (long long)c.GetAutoSwitch(p); }},
    {"dpi display", [](IMouseConfig& c, IMouseProfile* p) { c.SetDpiOsd(false, p); },
     [](IMouseConfig& c, IMouseProfile* p) { return (long long)c.GetDpiOsd(p); }},
    {"key map flag", [](IMouseConfig& c, IMouseProfile* p) { c.SetKeyMapFlag(false, p); },
     [](IMouseConfig& c, IMouseProfile* p) { return (long long)c.GetKeyMapFlag(p); }},
    {"light colour", [](IMouseConfig& c, IMouseProfile* p) { c.SetLedColour(LED_SCROLL_WHEEL, 0x123456, p); },
     [](IMouseConfig& c, IMouseProfile* p) { return (long long)c.GetLedColour(LED_SCROLL_WHEEL, p); }},
    {"light effect",
     [](IMouseConfig& c, IMouseProfile* p) { c.SetLedEffect(LED_SCROLL_WHEEL, LED_EFFECT_SPECTRUM_CYCLING, p); },
     [](IMouseConfig& c, IMouseProfile* p) { return (long long)c.GetLedEffect(LED_SCROLL_WHEEL, p); }},
    {"light brightness", [](IMouseConfig& c, IMouseProfile* p) { c.SetLedBrightness(LED_SCROLL_WHEEL, 40, p); },
     [](IMouseConfig& c, IMouseProfile* p) { return (long long)c.GetLedBrightness(LED_SCROLL_WHEEL, p); }},
    {"linked program", [](IMouseConfig& c, IMouseProfile* p) { c.SetLinkedProgramPath(u"/usr/bin/game", p); },
     [](IMouseConfig& c, IMouseProfile* p) { return (long long)c.GetLinkedProgramPath(p).size(); }},
};

TEST(ConfigForwarding, EachOperationActsOnTheNamedProfileElseOnTheCurrentOne)
{
    for (const ForwardedValue& value : kValues) {
        SCOPED_TRACE(value.name);
        CTovikEliteConfig config;
        IMouseProfile* current = config.CreateProfile(u"Current");
        IMouseProfile* named = config.CreateProfile(u"Named");
        config.SetCurrentProfile(current);
        const long long untouched = value.get(config, current);

        value.set(config, named);
        const long long changed = value.get(config, named);
        EXPECT_NE(changed, untouched) << "the named profile took the value";
        EXPECT_EQ(value.get(config, current), untouched) << "the current profile kept its own";
        EXPECT_EQ(value.get(config, nullptr), untouched) << "no profile given reads the current one";

        value.set(config, nullptr);
        EXPECT_EQ(value.get(config, current), changed) << "no profile given changes the current one";
    }
}

TEST(ConfigForwarding, WithoutAnyProfileSettersChangeNothingAndGettersAnswerEmpty)
{
    CTovikEliteConfig config;
    for (const ForwardedValue& value : kValues) {
        SCOPED_TRACE(value.name);
        value.set(config, nullptr);
        EXPECT_EQ(value.get(config, nullptr), 0);
    }
    EXPECT_FALSE(config.SetStageCount(2));
    EXPECT_FALSE(config.SetLinkedProgramPath(u"/usr/bin/game"));
    EXPECT_FALSE(config.SetButtonAssignment(MOUSE_BUTTON_4, AssignmentRecord::Unset()));
    EXPECT_EQ(config.GetButtonAssignment(MOUSE_BUTTON_4), AssignmentRecord::Unset());
    EXPECT_EQ(config.GetProfileCount(), 0u) << "no profile appears on its own";
}

} // namespace
