// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProductKey.h"

#include "app/AppConstants.h"
#include "platform/Autostart.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "skin/LangTable.h"
#include "skin/LanguageNumbers.h"
#include "skin/SessionLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>

namespace {

std::optional<std::u16string> ReadLimited(const RegistryKey& key, std::u16string_view name)
{
    std::optional<std::u16string> value = key.QueryString(name);
    if (!value || value->size() > kProductKeyValueMaxChars)
        return std::nullopt;
    return value;
}

} // namespace

int LanguageNumberForRegistryName(std::u16string_view name)
{
    return LanguageNumberFromName(name);
}

ProductKeySettings ReadProductKey()
{
    ProductKeySettings settings;
    std::optional<RegistryKey> key = RegistryKey::Open(RegistryRoot::LocalMachine, kProductKeyPath);
    if (!key)
        key = RegistryKey::Create(RegistryRoot::LocalMachine, kProductKeyPath);
    if (!key)
        return settings;
    settings.keyAvailable = true;
    if (std::optional<std::u16string> language = ReadLimited(*key, kLanguageValue)) {
        settings.languageNumber = LanguageNumberForRegistryName(*language);
        settings.languageChosen = true;
    }
    if (std::optional<std::u16string> directory = ReadLimited(*key, kInstallDirValue)) {
        // One trailing separator is dropped; either kind, since the value may have
        // been written on the original platform.
        if (!directory->empty() && (directory->back() == u'\\' || directory->back() == u'/'))
            directory->pop_back();
        settings.installDirectory = std::move(*directory);
    }
    return settings;
}

int StartupLanguageNumber(const ProductKeySettings& settings, int argumentLanguage, const LocaleVariables& session)
{
    if (argumentLanguage >= 0)
        return argumentLanguage;
    if (settings.languageChosen)
        return settings.languageNumber;
    return LanguageNumberFromSession(session);
}

int SelectStartupLanguage(int languageNumber)
{
    CLangTable* table = languageNumber >= 0 ? FindLanguage(languageNumber) : nullptr;
    if (!table)
        table = FindLanguage(0);
    SetCurrentLanguage(table);
    return table ? table->LanguageId() : -1;
}

bool EnterInstallDirectory(const ProductKeySettings& settings)
{
    if (!settings.keyAvailable)
        return false;
    bool changed = false;
    if (settings.installDirectory && !settings.installDirectory->empty())
        changed = QDir::setCurrent(QString::fromStdU16String(*settings.installDirectory));
    // The tray companion lives beside this executable and keeps a single copy of
    // itself; whether it starts is not ours to judge. A run that only draws the
    // window into a picture and ends leaves nothing running behind it.
    if (qEnvironmentVariableIsSet(kScreenshotVariable))
        return changed;
    // A user who turned the tray's start with the desktop off does not want it
    // started behind their back either.
    if (UserTurnedAutostartOff(AutostartFoldersFrom(QProcessEnvironment::systemEnvironment()),
                               QString::fromUtf16(kTrayAutostartFile.data(), kTrayAutostartFile.size())))
        return changed;
    const QString tray = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                                                            QString::fromUtf16(kTrayProgram.data(), kTrayProgram.size())
                                                      : QString::fromUtf16(kTrayProgram.data(), kTrayProgram.size());
    ShellOpen(ShellRequest{u"open", tray.toStdU16String(), {}, {}});
    return changed;
}
