// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray/TrayTexts.h"

#include "app/ProductKey.h"
#include "skin/LangTable.h"
#include "skin/SessionLanguage.h"
#include "skin/SkinLoader.h"
#include "skin/SkinText.h"
#include "skin/TextFormat.h"

bool LoadTrayLanguage(CGUIItems& items, QString& why)
{
    if (!LoadSkinFile(items, u"Language.xml", nullptr, false)) {
        why = QStringLiteral("the language list xml/Language.xml cannot be read");
        return false;
    }
    const int chosen =
        SelectStartupLanguage(StartupLanguageNumber(ReadProductKey(), -1, LocaleVariablesFromEnvironment()));
    if (chosen < 0) {
        why = QStringLiteral("no language file could be read");
        return false;
    }
    return true;
}

namespace traytext {

namespace {

QString Text(std::u16string_view key, std::u16string_view english)
{
    const LangTranslation translation = TranslateWithCurrent(key);
    return ToQString(translation.found ? std::u16string_view(translation.text) : english);
}

} // namespace

QString OpenConfigurator()
{
    return Text(u"$TrayOpenconfigurator", u"Open configurator");
}

QString Quit()
{
    return Text(u"$TrayQuit", u"Quit");
}

QString StartWithDesktop()
{
    return Text(u"$TrayStartwithdesktop", u"Start with the desktop");
}

QString NoMouse()
{
    return Text(u"$TrayNomouse", u"No mouse connected");
}

QString UnnamedProfile(int number)
{
    return FormatTranslatedQ(u"$TrayUnnamedprofile", u"Profile %i", {number});
}

QString Battery(std::optional<int> percent, int chargingState)
{
    if (!percent) {
        // The earlier generation cannot measure while it charges.
        return chargingState == 1 ? Text(u"$TrayBatterycharging", u"Battery: charging")
                                  : Text(u"$TrayBatteryunknown", u"Battery: unknown");
    }
    if (chargingState == 1)
        return FormatTranslatedQ(u"$TrayBatterypercentcharging", u"Battery: %i%% (charging)", {*percent});
    if (chargingState == 2)
        return FormatTranslatedQ(u"$TrayBatterypercentoncharger", u"Battery: %i%% (on the charger)", {*percent});
    return FormatTranslatedQ(u"$TrayBatterypercent", u"Battery: %i%%", {*percent});
}

QString LowBatteryTitle()
{
    return Text(u"$TrayLowbattery", u"Zemko Tovik battery low");
}

QString LowBatteryMessage(int percent)
{
    return FormatTranslatedQ(u"$TrayLowbatterymessage", u"The mouse battery is at %i%%. Please charge it.", {percent});
}

QString AutoSwitchUnavailable()
{
    return Text(u"$TrayNoautoswitch",
                u"Automatic profile switching is unavailable: this session does not tell which window has the focus.");
}

QString WaitingForWrite()
{
    return Text(u"$TrayWaitingforwrite",
                u"The configurator is writing to the mouse; the profile changes when it has finished.");
}

} // namespace traytext
