// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace {

std::function<bool(const ShellRequest&)>& Handler()
{
    static std::function<bool(const ShellRequest&)> handler;
    return handler;
}

QString ToQ(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

bool LooksLikeAddress(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().size() < 2) // "C:" style drive letters are no scheme
        return false;
    return text.contains(QStringLiteral("://")) || url.scheme() == QStringLiteral("mailto");
}

} // namespace

void SetShellOpenHandler(std::function<bool(const ShellRequest&)> handler)
{
    Handler() = std::move(handler);
}

bool ShellOpen(const ShellRequest& request)
{
    if (Handler())
        return Handler()(request);

    const QString verb = ToQ(request.verb);
    if (!verb.isEmpty() && verb.compare(QStringLiteral("open"), Qt::CaseInsensitive) != 0)
        return false;
    const QString file = ToQ(request.file);
    if (file.isEmpty())
        return false;
    if (LooksLikeAddress(file))
        return QDesktopServices::openUrl(QUrl(file));

    const QString directory = request.directory.empty() ? QDir::currentPath() : ToQ(request.directory);
    const QFileInfo info(QDir(directory), file);
    if (!info.exists())
        return false;
    if (info.isFile() && info.isExecutable()) {
        return QProcess::startDetached(info.absoluteFilePath(), QProcess::splitCommand(ToQ(request.parameters)),
                                       directory);
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}
