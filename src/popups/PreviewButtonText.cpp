// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/PreviewButtonText.h"

#include "platform/core/KeyNames.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"
#include "skin/LangTable.h"

#include <QString>

namespace {

constexpr uint32_t kShiftBit = 8;
constexpr uint32_t kCtrlBit = 4;
constexpr uint32_t kAltBit = 2;
constexpr uint32_t kExtendedBit = 1;
// Virtual keys whose scan codes only name the right key with the extended bit.
constexpr uint32_t kVirtualKeyNumLock = 144;
constexpr uint32_t kVirtualKeyExtendedOem = 194;
constexpr size_t kMaxKeyNameLength = 40;

std::u16string Number(uint32_t value)
{
    return QString::number(int32_t(value)).toStdU16String();
}

std::u16string KeyDetail(const AssignmentRecord& record)
{
    const uint32_t word0 = record.ReadWord(0);
    const uint32_t modifiers = record.ReadWord(1) & 0xFF;
    const uint32_t scanCode = word0 & 0xFFFF;
    const uint32_t virtualKey = word0 >> 16;
    std::u16string detail;
    auto join = [&detail](std::u16string_view part) {
        if (!detail.empty())
            detail += u"+";
        detail += part;
    };
    if (modifiers & kShiftBit)
        join(u"Shift");
    if (modifiers & kCtrlBit)
        join(u"Ctrl");
    if (modifiers & kAltBit)
        join(u"Alt");
    if (scanCode != 0) {
        const bool extended =
            (modifiers & kExtendedBit) || virtualKey == kVirtualKeyNumLock || virtualKey == kVirtualKeyExtendedOem;
        std::u16string name = GetKeyNameText(LPARAM(scanCode) << 16 | (extended ? KEY_EXTENDED_BIT : 0));
        if (name.size() > kMaxKeyNameLength)
            name.resize(kMaxKeyNameLength);
        if (!name.empty())
            join(name);
    }
    return detail;
}

} // namespace

std::u16string PreviewDetail(const AssignmentRecord& record, const IMouseConfig& config)
{
    switch (record.kind) {
    case AssignmentKind::Default:
    case AssignmentKind::SingleKey:
        return KeyDetail(record);
    case AssignmentKind::MacroById: {
        const CMacro* macro = config.FindMacroByGuid(record.ReadGuid());
        return macro ? macro->GetName() : std::u16string();
    }
    case AssignmentKind::MacroByName: {
        const CMacro* macro = config.FindMacroByName(record.ReadName());
        return macro ? macro->GetName() : std::u16string();
    }
    case AssignmentKind::TemporarySensitivity: {
        const uint32_t x = record.ReadWord(1);
        const uint32_t y = record.ReadWord(2);
        if (x == y)
            return Number(record.ReadWord(0));
        return Number(x) + u"x, " + Number(y) + u"y";
    }
    case AssignmentKind::ProfileById: {
        const IMouseProfile* profile = config.FindProfileByGuid(record.ReadGuid());
        return profile ? profile->GetName() : std::u16string();
    }
    case AssignmentKind::ProfileByName: {
        const IMouseProfile* profile = config.FindProfileByName(record.ReadName());
        return profile ? profile->GetName() : std::u16string();
    }
    default:
        return {};
    }
}

std::u16string CutPreviewText(std::u16string text)
{
    if (text.size() > kPreviewMaxLength) {
        text.resize(kPreviewCutLength);
        text += u"...";
    }
    return text;
}

std::u16string PreviewButtonText(const AssignmentRecord& record, const IMouseConfig& config)
{
    std::u16string text;
    if (const auto key = AssignmentKindTextKey(record.kind)) {
        const std::u16string wide(key->begin(), key->end());
        text = TranslateText(wide);
    }
    const std::u16string detail = PreviewDetail(record, config);
    if (!detail.empty())
        text += u": " + detail;
    return CutPreviewText(std::move(text));
}
