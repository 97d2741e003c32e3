// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Registry.h"

#include "platform/core/AtomicFile.h"
#include "platform/core/UserHome.h"
#include "platform/core/Utf.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSettings>
#include <QStandardPaths>
#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <set>
#include <sys/stat.h>

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

Q_LOGGING_CATEGORY(lcSettingsStore, "zemko.tovik.platform")

// Far above any store this program writes; a larger file is not ours.
constexpr size_t kMaxStoreBytes = size_t(4) << 20;

// Each distinct problem once per process, so that every lookup does not repeat it.
void WarnOnce(const QString& message)
{
    static std::mutex mutex;
    static std::set<QString> said;
    std::lock_guard lock(mutex);
    if (said.insert(message).second)
        qCWarning(lcSettingsStore).noquote() << message;
}

// The first line (1-based) that the INI reader would silently drop or misread:
// not UTF-8, a section header without its closing bracket, or a line that is
// neither blank, a comment, a header nor "key=value". 0 when every line is whole.
size_t FirstDamagedLine(std::string_view text)
{
    if (!DecodeUtf8(text))
        return 1;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    size_t number = 0;
    bool continued = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        const bool wasContinued = continued;
        continued = !line.empty() && line.back() == '\\';
        if (wasContinued || line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[' ? line.back() != ']' : line.find('=') == std::string_view::npos)
            return number;
        if (line.find('\0') != std::string_view::npos)
            return number;
    }
    return 0;
}

// A free name beside the store for a damaged copy: "<file>.damaged", then ".damaged.2"...
QString AsideName(const QString& file)
{
    QString aside = file + QStringLiteral(".damaged");
    for (int n = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n)
        aside = file + QStringLiteral(".damaged.") + QString::number(n);
    return aside;
}

// Whether the store may be opened: a missing file (a new store) or a whole,
// regular one. A FIFO, device node or directory is refused (opening it could
// block start-up for ever). A damaged file is moved aside, never rewritten, and
// the store starts from defaults; when it cannot be moved it is left as it is
// and the store is not used.
bool IsUsableStore(const QString& file)
{
    const QByteArray path = QFile::encodeName(file);
    struct stat status {};
    if (::stat(path.constData(), &status) != 0)
        return errno == ENOENT;
    if (!S_ISREG(status.st_mode)) {
        WarnOnce(QStringLiteral("settings store %1 is not a regular file; it is neither read nor written").arg(file));
        return false;
    }
    std::string error;
    const auto text = ReadWholeFile(path.toStdString(), kMaxStoreBytes, error);
    size_t damagedLine = 0;
    if (!text) {
        if (status.st_size <= off_t(kMaxStoreBytes)) {
            WarnOnce(QStringLiteral("settings store %1 cannot be read (%2); it is left as it is")
                         .arg(file, QString::fromStdString(error)));
            return false;
        }
        damagedLine = 1;
    } else {
        damagedLine = FirstDamagedLine(*text);
    }
    if (damagedLine == 0)
        return true;
    const QString aside = AsideName(file);
    if (::rename(path.constData(), QFile::encodeName(aside).constData()) != 0) {
        WarnOnce(QStringLiteral("settings store %1 is damaged (line %2) and cannot be moved aside; it is left as it "
                                "is and not used")
                     .arg(file)
                     .arg(damagedLine));
        return false;
    }
    qCWarning(lcSettingsStore).noquote() << QStringLiteral(
                                                "settings store %1 is damaged (line %2); kept as %3, starting "
                                                "from default settings")
                                                .arg(file)
                                                .arg(damagedLine)
                                                .arg(aside);
    return true;
}

// Opens the store; nothing when it is not usable (see IsUsableStore) or cannot be
// parsed, so that a damaged store is reported instead of being overwritten.
std::unique_ptr<QSettings> OpenIni(const QString& file)
{
    if (!IsUsableStore(file))
        return nullptr;
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
    // The home from the password database when $HOME is missing, as the device
    // directory does: every program of ours then finds the same store.
    QString dir;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/')
        dir = QFile::decodeName(config);
    else if (const std::string home = UserHomeDirectory(); !home.empty())
        dir = QFile::decodeName(home.c_str()) + QStringLiteral("/.config");
    else
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
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
    if (!IsAllowedName(sectionName) || !IsAllowedName(keyName))
        return fallback;
    if (struct stat status{}; ::stat(file.c_str(), &status) != 0)
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
