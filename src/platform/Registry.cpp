// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Registry.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cstdlib>

namespace {

// Marks a key that exists without values; value names are never allowed to
// collide with it because a dot-name with this spelling is refused.
const QString kKeyMarker = QStringLiteral(".key");
const QString kDefaultValueName = QStringLiteral(".default");

QString ToQ(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

QString RootName(RegistryRoot root)
{
    return root == RegistryRoot::LocalMachine ? QStringLiteral("HKEY_LOCAL_MACHINE")
                                              : QStringLiteral("HKEY_CURRENT_USER");
}

bool IsAllowedName(const QString& name)
{
    return !name.contains(u'/') && !name.contains(u'\\') && name.compare(kKeyMarker, Qt::CaseInsensitive) != 0 &&
           name.compare(kDefaultValueName, Qt::CaseInsensitive) != 0;
}

std::optional<QStringList> SplitPath(std::u16string_view path)
{
    QString text = ToQ(path);
    if (text.endsWith(u'\\'))
        text.chop(1);
    if (text.isEmpty())
        return std::nullopt;
    const QStringList parts = text.split(u'\\');
    for (const QString& part : parts) {
        if (part.isEmpty() || part.contains(u'/'))
            return std::nullopt;
    }
    return parts;
}

QString FindNoCase(const QStringList& names, const QString& wanted)
{
    for (const QString& name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return name;
    }
    return {};
}

// Opens the store; nothing when the file exists but cannot be parsed, so that a
// damaged store is reported instead of being overwritten.
std::unique_ptr<QSettings> OpenIni(const QString& file)
{
    auto settings = std::make_unique<QSettings>(file, QSettings::IniFormat);
    if (settings->status() != QSettings::NoError)
        return nullptr;
    return settings;
}

bool Commit(QSettings& settings)
{
    settings.sync();
    return settings.status() == QSettings::NoError;
}

// Walks the key path, matching each component without regard to case; with
// `create`, missing components keep the caller's spelling. Empty when a
// component is missing and `create` is false.
std::optional<QStringList> Resolve(QSettings& settings, RegistryRoot root, const QStringList& parts, bool create,
                                   bool& exists)
{
    QStringList resolved;
    settings.beginGroup(RootName(root));
    exists = true;
    for (const QString& part : parts) {
        QString found = exists ? FindNoCase(settings.childGroups(), part) : QString();
        if (found.isEmpty()) {
            if (!create) {
                for (qsizetype i = 0; i <= resolved.size(); ++i)
                    settings.endGroup();
                return std::nullopt;
            }
            exists = false;
            found = part;
        }
        resolved << found;
        settings.beginGroup(found);
    }
    for (qsizetype i = 0; i <= resolved.size(); ++i)
        settings.endGroup();
    return resolved;
}

QString GroupOf(RegistryRoot root, const std::vector<std::u16string>& components)
{
    QStringList parts{RootName(root)};
    for (const auto& c : components)
        parts << ToQ(c);
    return parts.join(u'/');
}

} // namespace

std::string RegistryKey::StoreFile()
{
    if (const char* env = std::getenv("ZEMKO_TOVIK_REGISTRY"); env && *env)
        return env;
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return (dir + QStringLiteral("/zemko-tovik/registry.ini")).toStdString();
}

std::optional<RegistryKey> RegistryKey::Open(RegistryRoot root, std::u16string_view path)
{
    const auto parts = SplitPath(path);
    if (!parts)
        return std::nullopt;
    auto settings = OpenIni(QString::fromStdString(StoreFile()));
    if (!settings)
        return std::nullopt;
    bool exists = false;
    const auto resolved = Resolve(*settings, root, *parts, false, exists);
    if (!resolved)
        return std::nullopt;
    std::vector<std::u16string> components;
    for (const QString& part : *resolved)
        components.push_back(part.toStdU16String());
    return RegistryKey(root, std::move(components));
}

std::optional<RegistryKey> RegistryKey::Create(RegistryRoot root, std::u16string_view path)
{
    const auto parts = SplitPath(path);
    if (!parts)
        return std::nullopt;
    const QString file = QString::fromStdString(StoreFile());
    auto settings = OpenIni(file);
    if (!settings)
        return std::nullopt;
    bool exists = false;
    const auto resolved = Resolve(*settings, root, *parts, true, exists);
    std::vector<std::u16string> components;
    for (const QString& part : *resolved)
        components.push_back(part.toStdU16String());
    RegistryKey key(root, std::move(components));
    // Write the marker even for an existing key: creating with full access fails
    // on the original platform when the key cannot be written, and so does this.
    QDir().mkpath(QFileInfo(file).absolutePath());
    settings->setValue(GroupOf(root, key.components_) + u'/' + kKeyMarker, QString());
    if (!Commit(*settings))
        return std::nullopt;
    return key;
}

std::optional<std::u16string> RegistryKey::QueryString(std::u16string_view name) const
{
    const QString wanted = name.empty() ? kDefaultValueName : ToQ(name);
    if (!name.empty() && !IsAllowedName(wanted))
        return std::nullopt;
    auto settings = OpenIni(QString::fromStdString(StoreFile()));
    if (!settings)
        return std::nullopt;
    settings->beginGroup(GroupOf(root_, components_));
    const QString found = FindNoCase(settings->childKeys(), wanted);
    if (found.isEmpty())
        return std::nullopt;
    const QVariant value = settings->value(found);
    // A value that is not a single string (written by hand as a list) is no string value.
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString().toStdU16String();
}

bool RegistryKey::SetString(std::u16string_view name, std::u16string_view value)
{
    const QString wanted = name.empty() ? kDefaultValueName : ToQ(name);
    if (!name.empty() && !IsAllowedName(wanted))
        return false;
    auto settings = OpenIni(QString::fromStdString(StoreFile()));
    if (!settings)
        return false;
    settings->beginGroup(GroupOf(root_, components_));
    const QString existing = FindNoCase(settings->childKeys(), wanted);
    settings->setValue(existing.isEmpty() ? wanted : existing, ToQ(value));
    settings->endGroup();
    return Commit(*settings);
}

bool RegistryKey::DeleteValue(std::u16string_view name)
{
    const QString wanted = name.empty() ? kDefaultValueName : ToQ(name);
    if (!name.empty() && !IsAllowedName(wanted))
        return false;
    auto settings = OpenIni(QString::fromStdString(StoreFile()));
    if (!settings)
        return false;
    settings->beginGroup(GroupOf(root_, components_));
    const QString existing = FindNoCase(settings->childKeys(), wanted);
    if (existing.isEmpty())
        return false;
    settings->remove(existing);
    settings->endGroup();
    return Commit(*settings);
}

std::u16string RegistryKey::Path() const
{
    std::u16string path;
    for (const auto& c : components_) {
        if (!path.empty())
            path += u'\\';
        path += c;
    }
    return path;
}

std::u16string GetPrivateProfileString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view defaultValue, const std::string& file)
{
    const std::u16string fallback(defaultValue);
    const QString sectionName = ToQ(section);
    const QString keyName = ToQ(key);
    if (!QFileInfo::exists(QString::fromStdString(file)) || !IsAllowedName(sectionName) || !IsAllowedName(keyName))
        return fallback;
    auto settings = OpenIni(QString::fromStdString(file));
    if (!settings)
        return fallback;
    const QString group = FindNoCase(settings->childGroups(), sectionName);
    if (group.isEmpty())
        return fallback;
    settings->beginGroup(group);
    const QString found = FindNoCase(settings->childKeys(), keyName);
    if (found.isEmpty())
        return fallback;
    const QVariant value = settings->value(found);
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", ")).toStdU16String();
    return value.toString().toStdU16String();
}

bool WritePrivateProfileString(std::u16string_view section, std::u16string_view key,
                               std::optional<std::u16string_view> value, const std::string& file)
{
    const QString sectionName = ToQ(section);
    const QString keyName = ToQ(key);
    if (sectionName.isEmpty() || keyName.isEmpty() || !IsAllowedName(sectionName) || !IsAllowedName(keyName))
        return false;
    auto settings = OpenIni(QString::fromStdString(file));
    if (!settings)
        return false;
    QString group = FindNoCase(settings->childGroups(), sectionName);
    if (group.isEmpty())
        group = sectionName;
    settings->beginGroup(group);
    QString existing = FindNoCase(settings->childKeys(), keyName);
    if (value) {
        settings->setValue(existing.isEmpty() ? keyName : existing, ToQ(*value));
    } else if (!existing.isEmpty()) {
        settings->remove(existing);
    }
    settings->endGroup();
    return Commit(*settings);
}
