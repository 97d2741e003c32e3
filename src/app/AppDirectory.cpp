// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef ZT_APP_DATA_FROM_BINDIR
#error "ZT_APP_DATA_FROM_BINDIR must give the data folder relative to the executables' folder"
#endif

namespace {

// A folder is the application directory when the main window's skin is in it; an
// empty or half-removed data folder does not count.
bool HoldsSkin(const QDir& directory)
{
    return QFileInfo(directory.filePath(QStringLiteral("xml/MainPage.xml"))).isFile();
}

} // namespace

QString FindAppDirectory(const QString& executableDirectory, const QString& relativePath)
{
    const QDir executableFolder(executableDirectory);
    if (!relativePath.isEmpty() && QDir::isRelativePath(relativePath)) {
        const QDir installed(QDir::cleanPath(executableFolder.filePath(relativePath)));
        if (HoldsSkin(installed))
            return installed.path();
    }
    return QDir::cleanPath(executableFolder.path());
}

QString InstalledAppDirectory()
{
    return FindAppDirectory(QCoreApplication::applicationDirPath(), QStringLiteral(ZT_APP_DATA_FROM_BINDIR));
}

QString IconThemeDirectory(const QString& appDirectory)
{
    return QDir::cleanPath(QDir(appDirectory).filePath(QStringLiteral("../icons/hicolor")));
}
