// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tray says, in the language the program is set to. The texts are keys
// of the program's language files; a key a language does not have (or a
// translation whose conversions do not fit) is shown in English.
#include "skin/GUIItems.h"

#include <QString>

#include <optional>

// Loads the program's languages (Language.xml below the application directory)
// into `items` and makes current the one the main program would choose at
// start-up: the product key's when it names one, else the session's. False, with the reason, when the list of languages
// cannot be read; the tray then speaks English.
bool LoadTrayLanguage(CGUIItems& items, QString& why);

namespace traytext {

QString OpenConfigurator();
QString Quit();
// The check item that turns the tray's start with the desktop on and off.
QString StartWithDesktop();
QString NoMouse();
// The menu label of a profile without a name (`number` counts from 1).
QString UnnamedProfile(int number);
// "Battery: 78%", with the charging state (1 charging, 2 on the charger, else
// nothing); unknown percent reads as such.
QString Battery(std::optional<int> percent, int chargingState);
QString LowBatteryTitle();
QString LowBatteryMessage(int percent);
QString AutoSwitchUnavailable();
QString WaitingForWrite();

} // namespace traytext
