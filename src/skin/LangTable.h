// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One language: the translations of its text keys, its font replacements and its
// per-item overrides of skin attributes. Every text the program shows passes through
// the current language (see the free functions at the end), so a key that has no
// translation, or a missing current language, shows the text exactly as written.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <QString>

#include "skin/GUIItem.h"

// Keys are compared without spaces and cut to this many characters.
constexpr std::size_t kLangKeyMaxChars = 59;

// A rectangle as written in a skin (`RECT` with top, left, right, bottom).
struct LangRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const LangRect&, const LangRect&) = default;
};

// One override of a skin attribute. Item overrides carry the item id; column
// overrides carry id -1 and the column name.
struct LangOverride {
    int itemId = -1;
    std::u16string column;
    std::u16string attribute;
    std::u16string value;
    std::optional<LangRect> rect; // set for the attribute "RECT"
};

// The text of a language file: UTF-16, little-endian unless a big-endian
// byte-order mark says otherwise; a byte-order mark is dropped, and so is a lone
// last byte. Nothing for data that cannot be UTF-16: fewer than two bytes, a
// UTF-8 byte-order mark, or a surrogate without its partner.
std::optional<std::u16string> DecodeLangFileText(const void* data, std::size_t size);

// What became of reading a language file.
enum class LangFileStatus {
    Malformed, // cannot be UTF-16 text (see DecodeLangFileText); nothing was read
    NoPairs,   // readable, but not a single key/text pair before "END OF FILE"
    Loaded,    // at least one pair was read
};

struct LangTranslation {
    std::u16string text;
    bool found = false;
};

// A skin item of kind `ItemKind::LANG` whose id is the language id; it has no window.
class CLangTable : public CGUIItem {
public:
    CLangTable() : CGUIItem(-1, ItemKind::LANG, nullptr, nullptr) {}
    explicit CLangTable(int languageId, CSkinWindow* itemOwner = nullptr)
        : CGUIItem(languageId, ItemKind::LANG, nullptr, itemOwner)
    {
    }
    // A destroyed table leaves the language registry (and stops being current).
    virtual ~CLangTable();

    int LanguageId() const { return id; }

    // Reads a whole language file (UTF-16, see DecodeLangFileText). Lines end at a
    // carriage return; runs of CR/LF after it are skipped. Line 0 is the title,
    // line 1 is ignored, then key and text lines alternate until "END OF FILE".
    // A malformed file leaves the table unchanged.
    LangFileStatus LoadFromBytes(const void* data, std::size_t size);
    LangFileStatus LoadFromBytes(const std::vector<char>& bytes) { return LoadFromBytes(bytes.data(), bytes.size()); }

    const std::u16string& Title() const { return title_; }
    std::size_t PairCount() const { return pairs_.size(); }

    // "$key": the first pair whose normalised key equals the rest of the text
    // (letter case ignored). "#prefix": the first pair whose normalised key begins
    // with the rest of the text. Anything else, or no match: the text, not found.
    LangTranslation Translate(std::u16string_view text) const;

    // Adds a pair as the language file would (used by the file reader and tests).
    void AddPair(std::u16string key, std::u16string text);

    // Font replacements: skin items naming font `from` use font `to` in this language.
    void AddFontReplacement(int fromFontId, int toFontId);
    std::optional<int> ReplacementFont(int fontId) const;

    // Item overrides, searched in the order they were added; attribute names are
    // compared with letter case ignored.
    void AddOverride(int itemId, std::u16string attribute, std::u16string value);
    void AddRectOverride(int itemId, const LangRect& rect);
    void AddColumnOverride(std::u16string column, std::u16string attribute, std::u16string value);
    std::optional<std::u16string> Override(int itemId, std::u16string_view attribute) const;
    std::optional<LangRect> RectOverride(int itemId) const;
    std::optional<std::u16string> ColumnOverride(std::u16string_view column, std::u16string_view attribute) const;
    const std::vector<LangOverride>& Overrides() const { return overrides_; }

    // A key in the form that lookups compare: up to the first NUL, CR or LF, spaces
    // removed, at most 59 characters.
    static std::u16string NormaliseKey(std::u16string_view key);

private:
    struct Pair {
        std::u16string key;
        std::u16string text;
        std::u16string foldedKey; // normalised and case-folded
    };

    std::u16string title_;
    std::vector<Pair> pairs_;
    std::unordered_map<std::u16string, std::size_t> firstByFoldedKey_;
    std::unordered_map<int, int> fontReplacements_;
    std::vector<LangOverride> overrides_;
};

// ---- the process-wide languages --------------------------------------------------

// Languages that loaded, by language id. Tables are owned by the item collection
// they were loaded into; the registry only points at them.
void RegisterLanguage(int languageId, CLangTable* table);
void UnregisterLanguage(const CLangTable* table);
CLangTable* FindLanguage(int languageId);

// The language used for every shown text; may be null (texts shown as written).
CLangTable* CurrentLanguage();
void SetCurrentLanguage(CLangTable* table);

// Makes current the language named by the registry value `Language` (letter case
// ignored), else the language with id 0, else none. Returns the table chosen.
CLangTable* SelectCurrentLanguage(std::u16string_view languageName);

// Which `LANG` elements load: -1 all of them, otherwise only the one with that id.
int LanguageFilter();
void SetLanguageFilter(int languageId);

// Forgets every registered language, the current one and the filter (start-up and tests).
void ResetLanguages();

// ---- translating shown texts through the current language ------------------------

LangTranslation TranslateWithCurrent(std::u16string_view text);
std::u16string TranslateText(std::u16string_view text);
QString TranslateText(const QString& text);

// The current language's override of one attribute of one skin item, if any.
std::optional<std::u16string> CurrentOverride(int itemId, std::u16string_view attribute);
std::optional<LangRect> CurrentRectOverride(int itemId);
// The current language's replacement of a font id, or the id itself.
int CurrentReplacementFont(int fontId);
