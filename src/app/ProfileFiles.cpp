// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProfileFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString ToQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

} // namespace

bool RemoveKeptProfileFile(std::u16string_view path, std::u16string_view saveDirectory, std::u16string_view extension)
{
    if (path.empty() || saveDirectory.empty() || extension.empty())
        return false;
    const QFileInfo file(ToQString(path));
    if (file.isSymLink() || !file.isFile())
        return false;
    if (file.suffix().compare(ToQString(extension), Qt::CaseInsensitive) != 0)
        return false;
    const QString folder = QDir(ToQString(saveDirectory)).canonicalPath();
    if (folder.isEmpty() || file.canonicalPath() != folder)
        return false;
    return QFile::remove(file.absoluteFilePath());
}

bool IsReadableFile(std::u16string_view path)
{
    const QFileInfo info(ToQString(path));
    if (!info.isFile())
        return false;
    QFile file(info.absoluteFilePath());
    return file.open(QIODevice::ReadOnly);
}

bool IsWritableFilePath(std::u16string_view path)
{
    const QFileInfo info(ToQString(path));
    if (path.empty() || info.isDir())
        return false;
    return info.absoluteDir().exists();
}
