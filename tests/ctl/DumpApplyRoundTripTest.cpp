// SPDX-License-Identifier: GPL-3.0-or-later
// dump, apply on a device reset to factory state, dump again: the same file, for
// random configurations of everything the file holds.
#include "CtlFixture.h"

#include "emulator/Json.h"
#include "platform/core/Utf.h"

#include <cstdlib>
#include <random>

namespace {

using emulator::JsonArray;
using emulator::JsonObject;
using emulator::JsonValue;
using Rng = std::mt19937_64;

uint32_t Pick(Rng& rng, uint32_t low, uint32_t high)
{
    return std::uniform_int_distribution<uint32_t>(low, high)(rng);
}
bool Chance(Rng& rng, double p)
{
    return std::bernoulli_distribution(p)(rng);
}
JsonValue Text(const std::string& text)
{
    return JsonValue(Utf8ToUtf16(text));
}
std::string Dpi(Rng& rng)
{
    return std::to_string(Pick(rng, 1, 64) * 100);
}
// "X" or "XxY" with different axes, as the program prints a sensitivity.
std::string Sensitivity(Rng& rng)
{
    const uint32_t x = Pick(rng, 1, 64) * 100;
    uint32_t y = Pick(rng, 1, 63) * 100;
    if (y >= x)
        y += 100;
    return Chance(rng, 0.5) ? std::to_string(x) : std::to_string(x) + "x" + std::to_string(y);
}

// A random configuration for the current-generation mouse, written in the words
// the program itself prints, so that a dump of it is expected to say the same.
JsonValue RandomConfiguration(Rng& rng, std::vector<std::u16string>& profileNames)
{
    static const char* const kKeys[] = {"A", "Z", "F5", "Page Up", "Num 7", "Space", "Right Ctrl", "Enter", "1"};
    const uint32_t macroCount = Pick(rng, 0, 4);
    std::vector<std::string> macroNames;
    JsonArray macros;
    for (uint32_t m = 0; m < macroCount; ++m) {
        macroNames.push_back("Macro " + std::to_string(m) + (Chance(rng, 0.3) ? " \"quoted\"" : ""));
        JsonArray events;
        for (uint32_t e = Pick(rng, 0, 20); e > 0; --e) {
            switch (Pick(rng, 0, 2)) {
            case 0:
                events.push_back(Text(std::string(Chance(rng, 0.5) ? "press " : "release ") + kKeys[Pick(rng, 0, 8)]));
                break;
            case 1:
                events.push_back(Text(std::string(Chance(rng, 0.5) ? "press" : "release") + " mouse " +
                                      std::to_string(Pick(rng, 1, 5))));
                break;
            default:
                events.push_back(Text("delay " + std::to_string(Pick(rng, 1, 5000))));
            }
        }
        JsonObject macro;
        macro.emplace_back("name", Text(macroNames.back()));
        macro.emplace_back("events", JsonValue(std::move(events)));
        macros.emplace_back(std::move(macro));
    }

    const uint32_t profileCount = Pick(rng, 1, 5);
    profileNames.clear();
    for (uint32_t p = 0; p < profileCount; ++p) {
        std::u16string name = u"Profile " + std::u16string(1, char16_t(u'A' + p));
        if (Chance(rng, 0.3))
            name += u" \u00E9t\u00E9";
        profileNames.push_back(name);
    }
    auto quoted = [](const std::u16string& name) {
        std::string text = "\"";
        for (char16_t c : name) {
            if (c == u'"' || c == u'\\')
                text.push_back('\\');
            if (c < 0x80)
                text.push_back(char(c));
            else
                text += c == u'\u00E9' ? "\xC3\xA9" : "?";
        }
        return text + "\"";
    };

    JsonArray profiles;
    for (uint32_t p = 0; p < profileCount; ++p) {
        JsonObject profile;
        profile.emplace_back("name", JsonValue(profileNames[p]));
        profile.emplace_back("sensitivity", Text(Sensitivity(rng)));
        for (int stage = 1; stage <= 5; ++stage) {
            const std::string value = Chance(rng, 0.3) ? Dpi(rng) + "x" + Dpi(rng) : Dpi(rng);
            profile.emplace_back("stage." + std::to_string(stage), Text(value));
        }
        const uint32_t inUse = Pick(rng, 1, 5);
        profile.emplace_back("stages-in-use", JsonValue(int64_t(inUse)));
        profile.emplace_back("current-stage", JsonValue(int64_t(Pick(rng, 1, inUse))));
        profile.emplace_back("sensitivity-osd", JsonValue(Chance(rng, 0.5)));
        profile.emplace_back("light.wheel", JsonValue(Chance(rng, 0.5)));
        profile.emplace_back("light.battery", JsonValue(Chance(rng, 0.5)));
        char colour[16];
        std::snprintf(colour, sizeof colour, "#%06X", Pick(rng, 0, 0xFFFFFF));
        profile.emplace_back("colour", Text(Chance(rng, 0.2) ? std::string("spectrum") : std::string(colour)));
        profile.emplace_back("led-brightness", JsonValue(int64_t(Pick(rng, 0, 100))));
        std::vector<std::string> general = {"click",
                                            "menu",
                                            "universal-scroll",
                                            "double-click",
                                            "off",
                                            "back",
                                            "forward",
                                            "sensitivity up",
                                            "sensitivity down",
                                            "on-the-fly-sensitivity",
                                            "scroll up",
                                            "scroll down",
                                            "key Ctrl+Shift+A",
                                            "key F5",
                                            "key Alt+Page Up",
                                            "temporary-sensitivity 800",
                                            "temporary-sensitivity 400x1200"};
        std::vector<std::string> wheel = {"sensitivity up", "sensitivity down", "scroll up", "scroll down", "off"};
        for (const std::string& name : macroNames) {
            std::string words = "macro " + quoted(std::u16string(name.begin(), name.end()));
            const uint32_t mode = Pick(rng, 0, 3);
            words += mode == 1   ? " repeat " + std::to_string(Pick(rng, 1, 255))
                     : mode == 2 ? " while-pressed"
                     : mode == 3 ? " until-pressed"
                                 : "";
            general.push_back(words);
            wheel.push_back(words);
        }
        for (const std::u16string& target : profileNames)
            general.push_back("profile " + quoted(target));
        for (int button : {1, 2, 3, 4, 5, 10, 11, 12, 13}) {
            const auto& choices = button >= 12 ? wheel : general;
            // Button 1 keeps a click, as the window insists some button does.
            const std::string words = button == 1 ? "click" : choices[Pick(rng, 0, uint32_t(choices.size() - 1))];
            profile.emplace_back("button." + std::to_string(button), Text(words));
        }
        const bool linked = Chance(rng, 0.5);
        profile.emplace_back("program", Text(linked ? "/opt/game " + std::to_string(p) : std::string()));
        profile.emplace_back("auto-switch", JsonValue(linked && Chance(rng, 0.5)));
        profiles.emplace_back(std::move(profile));
    }

    JsonObject device;
    static const int kRates[] = {125, 500, 1000};
    device.emplace_back("polling-rate", JsonValue(int64_t(kRates[Pick(rng, 0, 2)])));
    device.emplace_back("acceleration", JsonValue(Chance(rng, 0.5)));
    device.emplace_back("acceleration-level", JsonValue(int64_t(Pick(rng, 1, 10))));
    device.emplace_back("lift-off", JsonValue(int64_t(Pick(rng, 1, 30))));
    device.emplace_back("lift-off-auto", JsonValue(Chance(rng, 0.5)));
    device.emplace_back("calibration", JsonValue(Chance(rng, 0.5)));
    device.emplace_back("reduced-brightness", JsonValue(int64_t(Pick(rng, 0, 255))));
    device.emplace_back("sleep-minutes", JsonValue(int64_t(Pick(rng, 1, 15))));
    device.emplace_back("battery-warning", JsonValue(int64_t(Pick(rng, 5, 25))));

    JsonObject document;
    document.emplace_back("format", Text("zemko-tovik-ctl-configuration"));
    document.emplace_back("version", JsonValue(int64_t(1)));
    document.emplace_back("product", Text("0x0031"));
    document.emplace_back("active-profile", JsonValue(profileNames[Pick(rng, 0, profileCount - 1)]));
    document.emplace_back("device", JsonValue(std::move(device)));
    document.emplace_back("profiles", JsonValue(std::move(profiles)));
    document.emplace_back("macros", JsonValue(std::move(macros)));
    return JsonValue(std::move(document));
}

} // namespace

TEST_F(CtlTest, DumpApplyOnAFactoryDeviceAndDumpAgainGivesTheSameFile)
{
    const char* seedText = std::getenv("ZT_CTL_SEED");
    const uint64_t first = seedText && *seedText ? std::strtoull(seedText, nullptr, 10) : std::random_device()();
    const int rounds = seedText && *seedText ? 1 : 3;
    const std::string wanted = (temp_ / "wanted.json").string();
    const std::string dumped = (temp_ / "dumped.json").string();
    const std::string again = (temp_ / "again.json").string();
    for (int round = 0; round < rounds; ++round) {
        const uint64_t seed = first + uint64_t(round);
        SCOPED_TRACE("ZT_CTL_SEED=" + std::to_string(seed));
        std::printf("dump-apply round trip, ZT_CTL_SEED=%llu\n", static_cast<unsigned long long>(seed));
        Rng rng(seed);
        std::vector<std::u16string> names;
        const std::string document = emulator::WriteJson(RandomConfiguration(rng, names));
        WriteFile(wanted, document);

        FactoryReset();
        const CtlResult applied = Ctl("apply '" + wanted + "'");
        ASSERT_EQ(applied.exitCode, 0) << applied.err << document;
        ASSERT_EQ(Ctl("dump '" + dumped + "'").exitCode, 0);
        EXPECT_EQ(ReadFile(dumped), document) << "the device holds every value the file asked for";
        EXPECT_EQ(Ctl("apply '" + dumped + "'").out, "") << "a second apply finds nothing to change";

        FactoryReset();
        const CtlResult restored = Ctl("apply '" + dumped + "'");
        ASSERT_EQ(restored.exitCode, 0) << restored.err;
        ASSERT_EQ(Ctl("dump '" + again + "'").exitCode, 0);
        EXPECT_EQ(ReadFile(again), ReadFile(dumped));
        EXPECT_EQ(Image(0x0031).profiles.size(), names.size());
    }
}
