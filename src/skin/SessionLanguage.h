// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which of the shipped languages the user's session asks for. The session names
// its language the way gettext reads it: LANGUAGE, a colon-separated list of
// preferences, counts only when the locale itself is not "C" or "POSIX"; the
// locale is the first of LC_ALL, LC_MESSAGES and LANG that is set.
#include <string>
#include <string_view>
#include <vector>

struct LocaleVariables {
    std::string language; // LANGUAGE
    std::string lcAll;    // LC_ALL
    std::string lcMessages;
    std::string lang;
};

// The variables of this process.
LocaleVariables LocaleVariablesFromEnvironment();

// The language id (LANGUAGE_* item id) of one locale name such as "fr_CA.UTF-8",
// "de_AT@euro", "zh_TW" or "pt"; -1 when no shipped language fits it. The
// codeset and modifier are ignored; a country is used where it picks a variant
// (French of Canada, Chinese of Taiwan, Hong Kong and Macao in traditional
// script), else the language alone decides.
int LanguageNumberFromLocaleName(std::string_view localeName);

// The language the session asks for: the first preference that a shipped
// language fits; 0 (English) when none does or the locale is "C"/"POSIX"/unset.
int LanguageNumberFromSession(const LocaleVariables& variables);

// The language id a --language argument names: a language name as the product
// key holds it ("French", case ignored) or a locale name ("fr_CA"); -1 for
// anything else.
int LanguageNumberFromArgument(std::u16string_view argument);

// The ids of the shipped languages, in order.
std::vector<int> ShippedLanguageNumbers();

// The Qt locale name ("fr_CA", "zh_TW") of a shipped language, for Qt's own
// translations; "en" for an id without one.
std::string QtLocaleNameOfLanguage(int languageId);
