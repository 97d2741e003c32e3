// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProfileNames.h"

#include "platform/core/TextCase.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"

#include <QString>

namespace {

constexpr size_t kLongestUncutBase = 19;
constexpr size_t kCutBase = 18;
constexpr int kFirstCopyNumber = 2;
constexpr int kLastCopyNumber = 99;

} // namespace

bool IsProfileNameTaken(const IMouseConfig& config, std::u16string_view name)
{
    for (size_t index = 0; index < config.GetProfileCount(); ++index) {
        const IMouseProfile* profile = config.GetProfile(index);
        // A profile without a name cannot stand in the way of a name.
        if (profile && !profile->GetName().empty() && EqualsIgnoringCase(profile->GetName(), name))
            return true;
    }
    return false;
}

std::optional<std::u16string> FreeCopyName(const IMouseConfig& config, std::u16string_view sourceName)
{
    std::u16string base(sourceName);
    if (base.size() > kLongestUncutBase)
        base.resize(kCutBase);
    for (int number = kFirstCopyNumber; number <= kLastCopyNumber; ++number) {
        std::u16string candidate = base + u"(" + QString::number(number).toStdU16String() + u")";
        if (!IsProfileNameTaken(config, candidate))
            return candidate;
    }
    return std::nullopt;
}

std::u16string ProfilePositionText(int position)
{
    return QStringLiteral("%1").arg(position, 2, 10, QLatin1Char('0')).toStdU16String();
}
