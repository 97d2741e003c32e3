// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What start-up takes from the product's registry key: the language and the
// install directory, which becomes the working directory.
#include <optional>
#include <string>
#include <string_view>

struct LocaleVariables;

struct ProductKeySettings {
    bool keyAvailable = false; // the key could be opened or created
    // -1 for a name that is not a known language; 0 when the value is missing.
    int languageNumber = 0;
    // The key holds a Language value (of any text): the user chose a language.
    bool languageChosen = false;
    // Without its trailing separator; nothing when missing or too long.
    std::optional<std::u16string> installDirectory;
};

// Values are read into a buffer of 80 bytes on the original platform: a value of
// more than this many characters counts as missing.
constexpr std::size_t kProductKeyValueMaxChars = 39;

// Opens the key under the local-machine root, creating it when it is missing.
ProductKeySettings ReadProductKey();

// The language number a registry name selects (case ignored), -1 when unknown.
int LanguageNumberForRegistryName(std::u16string_view name);

// The language start-up makes current: `argumentLanguage` when it is one (>= 0,
// from --language), else the language the product key holds when it holds one
// (an unknown name there gives -1, as before), else the session's.
int StartupLanguageNumber(const ProductKeySettings& settings, int argumentLanguage, const LocaleVariables& session);

// Makes current the language table of `languageNumber`, else that of 0, else none.
// Returns the number of the table chosen, or -1 when there is none.
int SelectStartupLanguage(int languageNumber);

// Changes the working directory to the install directory and starts the tray
// companion from this executable's folder, unless the user turned its start with
// the desktop off (their own autostart entry is hidden or disabled); both may
// fail without consequence. Returns whether the working directory was changed.
bool EnterInstallDirectory(const ProductKeySettings& settings);
