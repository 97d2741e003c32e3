// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExchangeFolder.h"

#include "app/AppConstants.h"
#include "platform/Registry.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

constexpr std::u16string_view kLastFolderValue = u"LastFileFolder";

bool IsFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

std::u16string WithSeparator(const QString& folder)
{
    std::u16string text = QDir::cleanPath(folder).toStdU16String();
    if (text.empty() || text.back() != u'/')
        text.push_back(u'/');
    return text;
}

} // namespace

std::u16string ExchangeStartFolder()
{
    if (const auto key = RegistryKey::Open(RegistryRoot::CurrentUser, kProductKeyPath)) {
        if (const auto last = key->QueryString(kLastFolderValue)) {
            const QString folder = QString::fromStdU16String(*last);
            if (QDir::isAbsolutePath(folder) && IsFolder(folder))
                return WithSeparator(folder);
        }
    }
    // Qt reads the user's documents folder from user-dirs.dirs, as desktops do.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (IsFolder(documents))
        return WithSeparator(documents);
    return WithSeparator(QDir::homePath());
}

void RememberExchangeFolder(std::u16string_view path)
{
    const QString folder = QFileInfo(QString::fromUtf16(path.data(), path.size())).absolutePath();
    if (!IsFolder(folder))
        return;
    if (auto key = RegistryKey::Create(RegistryRoot::CurrentUser, kProductKeyPath))
        key->SetString(kLastFolderValue, folder.toStdU16String());
}

std::optional<std::u16string> AskExchangeFileToOpen(FileDialogRequest request)
{
    request.initialDirectory = ExchangeStartFolder();
    std::optional<std::u16string> path = GetOpenFileName(request);
    if (path)
        RememberExchangeFolder(*path);
    return path;
}

std::optional<std::u16string> AskExchangeFileToSave(FileDialogRequest request)
{
    request.initialDirectory = ExchangeStartFolder();
    std::optional<std::u16string> path = GetSaveFileName(request);
    if (path)
        RememberExchangeFolder(*path);
    return path;
}
