// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/AppPaths.h"

#include <mutex>

#include <QCoreApplication>

namespace {

std::mutex& PathMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::u16string& StoredDirectory()
{
    static std::u16string directory;
    return directory;
}

std::u16string WithTrailingSlash(std::u16string directory)
{
    if (directory.empty() || directory.back() != u'/')
        directory.push_back(u'/');
    return directory;
}

} // namespace

std::u16string GetAppDirectory()
{
    std::lock_guard lock(PathMutex());
    if (StoredDirectory().empty())
        return WithTrailingSlash(QCoreApplication::applicationDirPath().toStdU16String());
    return StoredDirectory();
}

void SetAppDirectory(std::u16string_view directory)
{
    std::lock_guard lock(PathMutex());
    StoredDirectory() = directory.empty() ? std::u16string() : WithTrailingSlash(std::u16string(directory));
}

std::u16string GetSaveDirectory()
{
    return GetAppDirectory() + u"save/";
}
