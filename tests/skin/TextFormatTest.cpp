// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/TextFormat.h"
#include "skin/LangTable.h"

#include <clocale>
#include <gtest/gtest.h>

TEST(TextFormat, FillsTheProgramsOwnFormats)
{
    EXPECT_EQ(FormatText(u"%s: %d.%.2d", {u"Firmware", 1, 5}), u"Firmware: 1.05");
    EXPECT_EQ(FormatText(u"%.3f %s", {0.05, u"seconds"}), u"0.050 seconds");
    EXPECT_EQ(FormatText(u"%s(%d)", {u"Profile", 12}), u"Profile(12)");
    EXPECT_EQ(FormatText(u"%d%s", {500, u" Hz"}), u"500 Hz");
    EXPECT_EQ(FormatText(u"%.1f", {2.25f}), u"2.2");
    EXPECT_EQ(FormatText(u"%x|%X|%08x", {255, 255, -1}), u"ff|FF|ffffffff");
    EXPECT_EQ(FormatText(u"%-4s|%4s|%.2s|%c", {u"ab", u"ab", u"abc", int(u'Ü')}), u"ab  |  ab|ab|Ü");
    EXPECT_EQ(FormatText(u"100%% %s", {u"done"}), u"100% done");
    EXPECT_EQ(FormatText(u"%I64d %lld", {1LL << 40, -(1LL << 40)}), u"1099511627776 -1099511627776");
}

TEST(TextFormat, DecimalsUseAPointWhateverTheLocale)
{
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        std::setlocale(LC_NUMERIC, "C.UTF-8");
    EXPECT_EQ(FormatText(u"%.3f", {1.5}), u"1.500");
    std::setlocale(LC_NUMERIC, previous.c_str());
}

TEST(TextFormat, ArgumentsThatDoNotFitAreNeverReinterpreted)
{
    // A text where a number is expected, a missing argument: the conversion stays as written.
    EXPECT_EQ(FormatText(u"%d and %s", {u"text"}), u"%d and %s");
    EXPECT_EQ(FormatText(u"%s and %s", {u"one"}), u"one and %s");
    EXPECT_EQ(FormatText(u"%f", {3}), u"%f");
    EXPECT_EQ(FormatText(u"%n%p%s", {u"x"}), u"%n%px");
}

TEST(TextFormat, ConversionKindsAndRefusedConversions)
{
    using K = FormatKind;
    EXPECT_EQ(FormatConversionKinds(u"%s: %d.%.2d"), (std::vector<K>{K::String, K::Integer, K::Integer}));
    EXPECT_EQ(FormatConversionKinds(u"%c %5.1f %S %%"), (std::vector<K>{K::Character, K::Floating, K::String}));
    EXPECT_EQ(FormatConversionKinds(u"no conversions"), std::vector<K>{});
    for (const std::u16string_view refused :
         {u"%n", u"%p", u"%*d", u"%.*f", u"%1$s", u"%257d", u"%.65f", u"%9999d", u"%q", u"ends with %", u"%l"})
        EXPECT_EQ(FormatConversionKinds(refused), std::nullopt) << std::string(refused.begin(), refused.end());
}

TEST(TextFormat, TranslationsWithOtherConversionsFallBackToTheBuiltInFormat)
{
    const std::u16string_view builtIn = u"Reduce light brightness to %s";
    EXPECT_EQ(FormatWithFallback(u"Helligkeit auf %s", builtIn, {u"Dim"}), u"Helligkeit auf Dim");
    // Hostile or careless translations: wrong kind, extra or missing conversions,
    // memory writes, argument counts and positions, huge fields.
    for (const std::u16string_view translation : {u"Helligkeit auf %d", u"Helligkeit auf %s %s", u"Helligkeit", u"%s%n",
                                                  u"%s%p", u"%*s", u"%2$s", u"%99999s", u"%s %x", u"%c", u"100% %s"})
        EXPECT_EQ(FormatWithFallback(translation, builtIn, {u"Dim"}), u"Reduce light brightness to Dim")
            << std::string(translation.begin(), translation.end());
    // Same kinds in the same order are accepted even when written differently.
    EXPECT_EQ(FormatWithFallback(u"%s – %03d.%x", u"%s: %d.%.2d", {u"FW", 1, 10}), u"FW – 001.a");
    EXPECT_EQ(FormatWithFallback(u"%d%s", u"%s%d", {u"a", 1}), u"a1");
}

TEST(TextFormat, TranslatedFormatsGoThroughTheCurrentLanguage)
{
    ResetLanguages();
    EXPECT_EQ(FormatTranslated(u"$RestoreDefaults", u"Restore Defaults : %s", {u"P1"}), u"Restore Defaults : P1");
    CLangTable german(5);
    german.AddPair(u"Restore Defaults", u"Standard wiederherstellen : %s");
    german.AddPair(u"Seconds delay", u"Sekunden %d");
    SetCurrentLanguage(&german);
    EXPECT_EQ(FormatTranslated(u"$RestoreDefaults", u"Restore Defaults : %s", {u"P1"}),
              u"Standard wiederherstellen : P1");
    EXPECT_EQ(FormatTranslatedQ(u"$Secondsdelay", u"%.3f seconds", {0.5}), QStringLiteral("0.500 seconds"));
    ResetLanguages();
}
