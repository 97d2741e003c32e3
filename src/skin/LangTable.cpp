// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/LangTable.h"

#include "platform/core/TextCase.h"
#include "skin/LanguageNumbers.h"

#include <cstring>
#include <map>
#include <optional>

namespace {

constexpr char16_t kCarriageReturn = 13;
constexpr char16_t kLineFeed = 10;
constexpr std::u16string_view kEndOfFile = u"END OF FILE";

// A lookup text ends at its first NUL, as the keys do.
std::u16string_view UpToNul(std::u16string_view text)
{
    const auto nul = text.find(char16_t(0));
    return nul == std::u16string_view::npos ? text : text.substr(0, nul);
}

bool IsHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

std::optional<std::u16string> DecodeLangFileText(const void* data, std::size_t size)
{
    if (data == nullptr || size < 2)
        return std::nullopt;
    const auto* bytes = static_cast<const unsigned char*>(data);
    // A UTF-8 byte-order mark says plainly that this is not UTF-16.
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        return std::nullopt;
    bool bigEndian = false;
    std::size_t first = 0;
    if (bytes[0] == 0xFF && bytes[1] == 0xFE) {
        first = 1;
    } else if (bytes[0] == 0xFE && bytes[1] == 0xFF) {
        bigEndian = true;
        first = 1;
    }
    const std::size_t units = size / 2; // a lone last byte cannot be a code unit
    std::u16string text;
    text.reserve(units - first);
    for (std::size_t i = first; i < units; ++i) {
        const unsigned char low = bytes[2 * i + (bigEndian ? 1 : 0)];
        const unsigned char high = bytes[2 * i + (bigEndian ? 0 : 1)];
        text.push_back(char16_t(low | (high << 8)));
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            ++i;
        else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]))
            return std::nullopt;
    }
    return text;
}

CLangTable::~CLangTable()
{
    UnregisterLanguage(this);
}

std::u16string CLangTable::NormaliseKey(std::u16string_view key)
{
    std::u16string normalised;
    for (char16_t c : key) {
        if (c == 0 || c == kCarriageReturn || c == kLineFeed)
            break;
        if (c == u' ')
            continue;
        if (normalised.size() == kLangKeyMaxChars)
            break;
        normalised.push_back(c);
    }
    return normalised;
}

LangFileStatus CLangTable::LoadFromBytes(const void* data, std::size_t size)
{
    std::optional<std::u16string> decoded = DecodeLangFileText(data, size);
    if (!decoded)
        return LangFileStatus::Malformed;
    const std::u16string content = std::move(*decoded);

    const std::size_t pairsBefore = pairs_.size();
    std::u16string_view rest(content);
    std::size_t lineNumber = 0;
    std::u16string pendingKey;
    bool endReached = false;
    while (!rest.empty() && !endReached) {
        const auto cr = rest.find(kCarriageReturn);
        const std::u16string_view line = cr == std::u16string_view::npos ? rest : rest.substr(0, cr);
        if (cr == std::u16string_view::npos) {
            rest = {};
        } else {
            std::size_t next = cr;
            while (next < rest.size() && (rest[next] == kCarriageReturn || rest[next] == kLineFeed))
                ++next;
            rest.remove_prefix(next);
        }

        if (EqualsIgnoringCase(line, kEndOfFile)) {
            endReached = true;
            break;
        }
        if (lineNumber == 0) {
            title_ = std::u16string(line);
        } else if (lineNumber >= 2) {
            if (lineNumber % 2 == 0)
                pendingKey = std::u16string(line);
            else
                AddPair(std::move(pendingKey), std::u16string(line));
        }
        ++lineNumber;
    }
    return pairs_.size() > pairsBefore ? LangFileStatus::Loaded : LangFileStatus::NoPairs;
}

void CLangTable::AddPair(std::u16string key, std::u16string text)
{
    std::u16string folded = FoldCase(NormaliseKey(key));
    firstByFoldedKey_.try_emplace(folded, pairs_.size());
    pairs_.push_back(Pair{std::move(key), std::move(text), std::move(folded)});
}

LangTranslation CLangTable::Translate(std::u16string_view text) const
{
    if (text.size() > 1 && text[0] == u'$') {
        // The comparison covers at most 60 characters of the text, and keys hold at
        // most 59, so a longer text can never match.
        const std::u16string_view wanted = UpToNul(text.substr(1));
        if (wanted.size() <= kLangKeyMaxChars) {
            const auto it = firstByFoldedKey_.find(FoldCase(wanted));
            if (it != firstByFoldedKey_.end())
                return {pairs_[it->second].text, true};
        }
    } else if (text.size() > 1 && text[0] == u'#') {
        const std::u16string prefix = FoldCase(UpToNul(text.substr(1)));
        for (const auto& pair : pairs_) {
            if (pair.foldedKey.starts_with(prefix))
                return {pair.text, true};
        }
    }
    return {std::u16string(text), false};
}

void CLangTable::AddFontReplacement(int fromFontId, int toFontId)
{
    fontReplacements_[fromFontId] = toFontId;
}

std::optional<int> CLangTable::ReplacementFont(int fontId) const
{
    const auto it = fontReplacements_.find(fontId);
    if (it == fontReplacements_.end())
        return std::nullopt;
    return it->second;
}

void CLangTable::AddOverride(int itemId, std::u16string attribute, std::u16string value)
{
    overrides_.push_back(LangOverride{itemId, {}, std::move(attribute), std::move(value), std::nullopt});
}

void CLangTable::AddRectOverride(int itemId, const LangRect& rect)
{
    overrides_.push_back(LangOverride{itemId, {}, u"RECT", {}, rect});
}

void CLangTable::AddColumnOverride(std::u16string column, std::u16string attribute, std::u16string value)
{
    overrides_.push_back(LangOverride{-1, std::move(column), std::move(attribute), std::move(value), std::nullopt});
}

std::optional<std::u16string> CLangTable::Override(int itemId, std::u16string_view attribute) const
{
    for (const auto& record : overrides_) {
        if (record.itemId == itemId && EqualsIgnoringCase(record.attribute, attribute))
            return record.value;
    }
    return std::nullopt;
}

std::optional<LangRect> CLangTable::RectOverride(int itemId) const
{
    for (const auto& record : overrides_) {
        if (record.itemId == itemId && record.rect && EqualsIgnoringCase(record.attribute, u"RECT"))
            return record.rect;
    }
    return std::nullopt;
}

std::optional<std::u16string> CLangTable::ColumnOverride(std::u16string_view column,
                                                         std::u16string_view attribute) const
{
    for (const auto& record : overrides_) {
        if (record.itemId == -1 && EqualsIgnoringCase(record.column, column) &&
            EqualsIgnoringCase(record.attribute, attribute))
            return record.value;
    }
    return std::nullopt;
}

// ---- the process-wide languages --------------------------------------------------
// Set up and read on the user-interface thread only, like the skins that use them.

namespace {

struct Languages {
    std::map<int, CLangTable*> byId;
    CLangTable* current = nullptr;
    int filter = -1;
};

Languages& TheLanguages()
{
    static Languages languages;
    return languages;
}

} // namespace

void RegisterLanguage(int languageId, CLangTable* table)
{
    if (table == nullptr)
        return;
    TheLanguages().byId[languageId] = table;
}

void UnregisterLanguage(const CLangTable* table)
{
    auto& languages = TheLanguages();
    std::erase_if(languages.byId, [table](const auto& entry) { return entry.second == table; });
    // A destroyed table must never stay current: every shown text would read freed memory.
    if (languages.current == table)
        languages.current = nullptr;
}

CLangTable* FindLanguage(int languageId)
{
    const auto& byId = TheLanguages().byId;
    const auto it = byId.find(languageId);
    return it == byId.end() ? nullptr : it->second;
}

CLangTable* CurrentLanguage()
{
    return TheLanguages().current;
}

void SetCurrentLanguage(CLangTable* table)
{
    TheLanguages().current = table;
}

CLangTable* SelectCurrentLanguage(std::u16string_view languageName)
{
    CLangTable* chosen = FindLanguage(LanguageNumberFromName(languageName));
    if (chosen == nullptr)
        chosen = FindLanguage(0);
    SetCurrentLanguage(chosen);
    return chosen;
}

int LanguageFilter()
{
    return TheLanguages().filter;
}

void SetLanguageFilter(int languageId)
{
    TheLanguages().filter = languageId;
}

void ResetLanguages()
{
    TheLanguages() = Languages{};
}

// ---- translating shown texts through the current language ------------------------

LangTranslation TranslateWithCurrent(std::u16string_view text)
{
    if (const CLangTable* table = CurrentLanguage())
        return table->Translate(text);
    return {std::u16string(text), false};
}

std::u16string TranslateText(std::u16string_view text)
{
    return TranslateWithCurrent(text).text;
}

QString TranslateText(const QString& text)
{
    const std::u16string_view view(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size()));
    return QString::fromStdU16String(TranslateText(view));
}

std::optional<std::u16string> CurrentOverride(int itemId, std::u16string_view attribute)
{
    if (const CLangTable* table = CurrentLanguage())
        return table->Override(itemId, attribute);
    return std::nullopt;
}

std::optional<LangRect> CurrentRectOverride(int itemId)
{
    if (const CLangTable* table = CurrentLanguage())
        return table->RectOverride(itemId);
    return std::nullopt;
}

int CurrentReplacementFont(int fontId)
{
    if (const CLangTable* table = CurrentLanguage())
        return table->ReplacementFont(fontId).value_or(fontId);
    return fontId;
}
