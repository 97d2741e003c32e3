// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppIcon.h"

#include "app/AppDirectory.h"

#include <QDir>
#include <QFileInfo>

QIcon ApplicationIcon(const QString& appDirectory)
{
    const QDir theme(IconThemeDirectory(appDirectory));
    const QString fileName = QLatin1String(kIconName) + QStringLiteral(".png");
    QIcon icon;
    // One file per drawn size ("16x16/apps/zemko-tovik.png"); the scalable one
    // would need an SVG reader and adds nothing to these.
    for (const QString& sizeFolder : theme.entryList({QStringLiteral("*x*")}, QDir::Dirs, QDir::Name)) {
        const QString path = theme.filePath(sizeFolder + QStringLiteral("/apps/") + fileName);
        if (QFileInfo(path).isFile())
            icon.addFile(path);
    }
    if (icon.isNull())
        icon = QIcon::fromTheme(QLatin1String(kIconName));
    return icon;
}
