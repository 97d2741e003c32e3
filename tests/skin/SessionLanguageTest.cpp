// SPDX-License-Identifier: GPL-3.0-or-later
// The session's locale chooses one of the ten shipped languages the way gettext
// programs on the same desktop choose theirs.
#include "skin/SessionLanguage.h"

#include <gtest/gtest.h>

namespace {

enum Language { English = 0, Simplified, Traditional, French, Canadian, German, Korean, Russian, Japanese, Spanish };

} // namespace

TEST(SessionLanguage, EachShippedLanguageIsReachedFromTheLocaleNamesOfItsSessions)
{
    const struct {
        const char* locale;
        int expected;
    } cases[] = {
        {"en_US.UTF-8", English},
        {"en_GB", English},
        {"zh_CN.UTF-8", Simplified},
        {"zh_SG.GB2312", Simplified},
        {"zh", Simplified},
        {"zh_TW.UTF-8", Traditional},
        {"zh_HK.Big5-HKSCS", Traditional},
        {"zh_MO", Traditional},
        {"zh-Hant", Traditional},
        {"fr_FR.UTF-8", French},
        {"fr_BE@euro", French},
        {"fr_CH", French},
        {"fr_CA.UTF-8", Canadian},
        {"fr-ca", Canadian},
        {"de_DE.UTF-8", German},
        {"de_AT@euro", German},
        {"ko_KR.EUC-KR", Korean},
        {"ru_RU.KOI8-R", Russian},
        {"ru_UA", Russian},
        {"ja_JP.eucJP", Japanese},
        {"es_ES.UTF-8", Spanish},
        {"es_MX", Spanish},
        // Not shipped: no language at all.
        {"pt_BR.UTF-8", -1},
        {"nl_NL", -1},
        {"C", -1},
        {"", -1},
        {".UTF-8", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        EXPECT_EQ(LanguageNumberFromLocaleName(c.locale), c.expected);
    }
}

TEST(SessionLanguage, LanguageThenLcAllThenLcMessagesThenLangAndEnglishOtherwise)
{
    const struct {
        const char* name;
        LocaleVariables variables;
        int expected;
    } cases[] = {
        {"nothing set", {}, English},
        {"LANG alone", {"", "", "", "de_DE.UTF-8"}, German},
        {"LC_MESSAGES over LANG", {"", "", "ja_JP.UTF-8", "de_DE.UTF-8"}, Japanese},
        {"LC_ALL over both", {"", "ko_KR.UTF-8", "ja_JP.UTF-8", "de_DE.UTF-8"}, Korean},
        {"LANGUAGE over the locale", {"es", "", "", "de_DE.UTF-8"}, Spanish},
        {"LANGUAGE's first shipped preference", {"pt_BR:nl:fr_CA:de", "", "", "en_US.UTF-8"}, Canadian},
        {"LANGUAGE with nothing shipped falls to the locale", {"pt_BR:nl", "", "", "ru_RU.UTF-8"}, Russian},
        {"LANGUAGE with empty entries", {"::zh_TW:", "", "", "en_US.UTF-8"}, Traditional},
        {"English in LANGUAGE wins over the locale", {"en:de", "", "", "de_DE.UTF-8"}, English},
        // gettext ignores LANGUAGE in the C locale, and so do we.
        {"LANGUAGE under LANG=C", {"fr", "", "", "C"}, English},
        {"LANGUAGE under C.UTF-8", {"fr", "", "", "C.UTF-8"}, English},
        {"LANGUAGE under LC_ALL=POSIX", {"fr", "POSIX", "", "de_DE.UTF-8"}, English},
        {"LANGUAGE with no locale at all", {"fr", "", "", ""}, English},
        {"a locale nothing fits", {"", "", "", "pt_PT.UTF-8"}, English},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LanguageNumberFromSession(c.variables), c.expected);
    }
}

TEST(SessionLanguage, TheLanguageArgumentTakesShippedNamesAndLocaleNamesOnly)
{
    const struct {
        const char16_t* argument;
        int expected;
    } cases[] = {
        {u"French", French},
        {u"frenchcanadian", Canadian},
        {u"GERMAN", German},
        {u"ChineseTraditional", Traditional},
        {u"fr", French},
        {u"fr_CA", Canadian},
        {u"zh_TW", Traditional},
        {u"ja", Japanese},
        // Names the key table knows for languages that do not ship, and junk.
        {u"Thai", -1},
        {u"Greek", -1},
        {u"pt_BR", -1},
        {u"fr_FR.UTF-8", -1},
        {u"C", -1},
        {u"", -1},
        {u"Français", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(std::u16string_view(c.argument).begin(), std::u16string_view(c.argument).end()));
        EXPECT_EQ(LanguageNumberFromArgument(c.argument), c.expected);
    }
    EXPECT_EQ(ShippedLanguageNumbers(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(QtLocaleNameOfLanguage(Canadian), "fr_CA");
    EXPECT_EQ(QtLocaleNameOfLanguage(Traditional), "zh_TW");
    EXPECT_EQ(QtLocaleNameOfLanguage(42), "en");
}
