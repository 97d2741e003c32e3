// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/SessionLanguage.h"

#include "platform/core/TextCase.h"
#include "skin/LanguageNumbers.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

struct LocaleLanguage {
    std::string_view language; // ISO 639 code, lower case
    std::string_view country;  // empty: any country not listed for this language
    int languageId;
    std::string_view qtLocale;
};

// One table both ways: session locale to shipped language, and shipped language
// to the locale of Qt's own translations. The first row of an id is its Qt name.
constexpr std::array<LocaleLanguage, 14> kLocaleLanguages{{
    {"en", "", 0, "en"},
    {"zh", "CN", 1, "zh_CN"},
    {"zh", "SG", 1, "zh_CN"},
    {"zh", "", 1, "zh_CN"},
    {"zh", "TW", 2, "zh_TW"},
    {"zh", "HK", 2, "zh_TW"},
    {"zh", "MO", 2, "zh_TW"},
    {"fr", "", 3, "fr"},
    {"fr", "CA", 4, "fr_CA"},
    {"de", "", 5, "de"},
    {"ko", "", 6, "ko"},
    {"ru", "", 7, "ru"},
    {"ja", "", 8, "ja"},
    {"es", "", 9, "es"},
}};

std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

std::string Upper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

bool IsCLocale(std::string_view name)
{
    return name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.") || name.starts_with("C@");
}

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

} // namespace

LocaleVariables LocaleVariablesFromEnvironment()
{
    return {Variable("LANGUAGE"), Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG")};
}

int LanguageNumberFromLocaleName(std::string_view localeName)
{
    // language[_COUNTRY][.codeset][@modifier]; the codeset and modifier say nothing
    // about the language.
    const std::string_view name = localeName.substr(0, localeName.find_first_of(".@"));
    const size_t separator = name.find_first_of("_-");
    const std::string language = Lower(name.substr(0, separator));
    const std::string country = separator == std::string_view::npos ? std::string() : Upper(name.substr(separator + 1));
    if (language.empty())
        return -1;
    // Chinese is also named by its script ("zh_Hant", "zh-Hans").
    if (language == "zh" && (country == "HANT" || country.starts_with("HANT_") || country.starts_with("HANT-")))
        return 2;
    int fallback = -1;
    for (const LocaleLanguage& row : kLocaleLanguages) {
        if (row.language != language)
            continue;
        if (!country.empty() && row.country == country)
            return row.languageId;
        if (row.country.empty())
            fallback = row.languageId;
    }
    return fallback;
}

int LanguageNumberFromSession(const LocaleVariables& variables)
{
    const std::string& locale = !variables.lcAll.empty()        ? variables.lcAll
                                : !variables.lcMessages.empty() ? variables.lcMessages
                                                                : variables.lang;
    if (IsCLocale(locale))
        return 0;
    std::string_view preferences = variables.language;
    while (!preferences.empty()) {
        const size_t colon = preferences.find(':');
        const int id = LanguageNumberFromLocaleName(preferences.substr(0, colon));
        if (id >= 0)
            return id;
        preferences = colon == std::string_view::npos ? std::string_view() : preferences.substr(colon + 1);
    }
    const int id = LanguageNumberFromLocaleName(locale);
    return id >= 0 ? id : 0;
}

int LanguageNumberFromArgument(std::u16string_view argument)
{
    // Names the key table knows but no language ships with are refused.
    const int byName = LanguageNumberFromName(argument);
    for (const LocaleLanguage& row : kLocaleLanguages) {
        if (byName >= 0 && row.languageId == byName)
            return byName;
    }
    std::string ascii;
    for (char16_t c : argument) {
        if (c > 0x7F)
            return -1;
        ascii.push_back(static_cast<char>(c));
    }
    // Only a bare locale name: "fr", "fr_CA", not "fr_CA.UTF-8@x" or "C".
    if (ascii.size() < 2 || ascii.find_first_of(".@:") != std::string::npos)
        return -1;
    return LanguageNumberFromLocaleName(ascii);
}

std::vector<int> ShippedLanguageNumbers()
{
    std::vector<int> ids;
    for (const LocaleLanguage& row : kLocaleLanguages) {
        if (std::find(ids.begin(), ids.end(), row.languageId) == ids.end())
            ids.push_back(row.languageId);
    }
    return ids;
}

std::string QtLocaleNameOfLanguage(int languageId)
{
    for (const LocaleLanguage& row : kLocaleLanguages) {
        if (row.languageId == languageId)
            return std::string(row.qtLocale);
    }
    return "en";
}
