// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

bool InstallQtTranslations(const QString& localeName)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return false;
    // One language at a time: a later call replaces what an earlier one installed.
    static QPointer<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    const QLocale locale(localeName);
    QLocale::setDefault(locale);
    if (locale.language() == QLocale::English)
        return true;
    auto* translator = new QTranslator(application);
    // "qtbase_fr_CA.qm", then "qtbase_fr.qm"; the files follow the locale's own
    // list of UI languages.
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    installed = translator;
    return QCoreApplication::installTranslator(translator);
}
