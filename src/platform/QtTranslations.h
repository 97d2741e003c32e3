// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's own texts (the buttons and labels of its file and colour dialogs) in the
// program's language, from the translations installed with Qt (Debian package
// qt6-translations-l10n).
#include <QString>

// Makes `localeName` ("fr_CA", "de") Qt's default locale and installs Qt's
// translation for it into the running application; a country falls back to the
// language ("fr_CA" uses "fr" when there is no file of its own). False when no
// application object exists or no translation of that language is installed:
// Qt's texts then stay English. "en" needs no file and is true. A later call
// replaces the translation an earlier one installed. GUI thread only.
bool InstallQtTranslations(const QString& localeName);
