// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/LangTable.h"
#include "skin/LangElement.h"
#include "skin/LanguageNumbers.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>

namespace {

std::vector<char> Utf16File(std::u16string_view text, bool withMark = true)
{
    std::vector<char> bytes;
    if (withMark) {
        bytes.push_back(char(0xFF));
        bytes.push_back(char(0xFE));
    }
    for (char16_t c : text) {
        bytes.push_back(char(c & 0xFF));
        bytes.push_back(char(c >> 8));
    }
    return bytes;
}

std::filesystem::path LangDataDir()
{
    // The source tree from the environment when the test runner sets it, else from
    // where this file was compiled.
    if (const char* source = std::getenv("ZT_SOURCE_DIR"))
        return std::filesystem::path(source) / "tests/skin/langdata";
    return std::filesystem::path(__FILE__).parent_path() / "langdata";
}

class LanguagesReset : public ::testing::Test {
protected:
    void SetUp() override { ResetLanguages(); }
    void TearDown() override { ResetLanguages(); }
};

} // namespace

TEST(LangFile, LineRulesPairKeysWithTextsAndKeepTheTitle)
{
    CLangTable table;
    // Blank lines and LF after CR do not count; line 1 is a comment; the last line
    // may end at the end of the file.
    const auto status = table.LoadFromBytes(
        Utf16File(u"Deutsch\r\nComment\r\n\r\nApply\r\n\r\n\r\n\r\nÜbernehmen\r\rCancel\r\nAbbrechen"));
    EXPECT_EQ(status, LangFileStatus::Loaded);
    EXPECT_EQ(table.Title(), u"Deutsch");
    EXPECT_EQ(table.PairCount(), 2u);
    EXPECT_EQ(table.Translate(u"$Apply").text, u"Übernehmen");
    EXPECT_EQ(table.Translate(u"$Cancel").text, u"Abbrechen");
    // Neither the title nor the comment line is a key.
    EXPECT_FALSE(table.Translate(u"$Deutsch").found);
    EXPECT_FALSE(table.Translate(u"$Comment").found);
}

TEST(LangFile, EndOfFileStopsReadingInAnyLetterCase)
{
    CLangTable onlyAfterEnd;
    EXPECT_EQ(onlyAfterEnd.LoadFromBytes(Utf16File(u"T\r\nC\r\nend of file\r\nApply\r\nÜbernehmen\r\n")),
              LangFileStatus::NoPairs);
    EXPECT_EQ(onlyAfterEnd.PairCount(), 0u);
    EXPECT_EQ(onlyAfterEnd.Translate(u"$Apply").text, u"$Apply");

    CLangTable keyWithoutText;
    keyWithoutText.LoadFromBytes(Utf16File(u"T\r\nC\r\nA\r\n1\r\nB\r\nEND OF FILE\r\n2\r\n"));
    EXPECT_EQ(keyWithoutText.PairCount(), 1u);
    EXPECT_FALSE(keyWithoutText.Translate(u"$B").found);
    // Only a line equal to the marker ends the file, not one that contains it.
    CLangTable containsMarker;
    containsMarker.LoadFromBytes(Utf16File(u"T\r\nC\r\nNote\r\nEND OF FILE soon\r\nX\r\nY\r\n"));
    EXPECT_EQ(containsMarker.Translate(u"$X").text, u"Y");
}

std::vector<char> BigEndianFile(std::u16string_view text)
{
    std::vector<char> bytes{char(0xFE), char(0xFF)};
    for (char16_t c : text) {
        bytes.push_back(char(c >> 8));
        bytes.push_back(char(c & 0xFF));
    }
    return bytes;
}

// Whatever can be UTF-16 is read: a missing byte-order mark or a lone last byte
// must not cost the user a whole language.
TEST(LangFile, AnythingThatCanBeUtf16IsRead)
{
    const std::u16string text = u"Deutsch\r\nC\r\nOK\r\nJawohl\r\nEND OF FILE\r\n";
    auto odd = Utf16File(text);
    odd.push_back('x');
    auto oddWithoutMark = Utf16File(text, false);
    oddWithoutMark.push_back('\n');
    const struct {
        const char* what;
        std::vector<char> bytes;
    } cases[] = {
        {"little-endian with mark", Utf16File(text)},
        {"little-endian without mark", Utf16File(text, false)},
        {"odd length", odd},
        {"odd length without mark", oddWithoutMark},
        {"big-endian with mark", BigEndianFile(text)},
        {"paired surrogates", Utf16File(u"Deutsch\r\nC\r\nOK\r\nJa \U0001F600\r\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CLangTable table;
        ASSERT_EQ(table.LoadFromBytes(c.bytes), LangFileStatus::Loaded);
        EXPECT_EQ(table.Title(), u"Deutsch");
        EXPECT_EQ(table.PairCount(), 1u);
        EXPECT_EQ(table.Translate(u"$OK").text.substr(0, 2), u"Ja");
    }
}

TEST(LangFile, WhatCannotBeUtf16FailsAndChangesNothing)
{
    auto utf8 = std::vector<char>{char(0xEF), char(0xBB), char(0xBF)};
    for (char c : std::string("T\r\nC\r\nA\r\nB\r\n"))
        utf8.push_back(c);
    const struct {
        const char* what;
        std::vector<char> bytes;
    } cases[] = {
        {"empty", {}},
        {"one byte", {char(0xFF)}},
        {"UTF-8 with its mark", utf8},
        {"lone high surrogate", Utf16File(u"T\r\nC\r\nA\r\nB\xD800\r\n")},
        {"lone low surrogate", Utf16File(u"T\r\nC\r\nA\r\n\xDC00"
                                         u"B\r\n",
                                         false)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CLangTable table;
        table.AddPair(u"Keep", u"kept");
        EXPECT_EQ(table.LoadFromBytes(c.bytes), LangFileStatus::Malformed);
        EXPECT_EQ(table.PairCount(), 1u);
        EXPECT_TRUE(table.Title().empty());
        EXPECT_EQ(table.Translate(u"$Keep").text, u"kept");
    }
    CLangTable table;
    EXPECT_EQ(table.LoadFromBytes(nullptr, 0), LangFileStatus::Malformed);
}

TEST(LangLookup, DollarKeysIgnoreSpacesInTheFileAndLetterCase)
{
    CLangTable table;
    table.AddPair(u"Read from device", u"Vom Gerät lesen");
    table.AddPair(u"Empty", u"");
    EXPECT_EQ(table.Translate(u"$Readfromdevice").text, u"Vom Gerät lesen");
    EXPECT_TRUE(table.Translate(u"$READFROMDEVICE").found);
    // A text that keeps the spaces is not a normalised key.
    EXPECT_FALSE(table.Translate(u"$Read from device").found);
    EXPECT_EQ(table.Translate(u"$Read from device").text, u"$Read from device");
    // A prefix of a key is not the key.
    EXPECT_FALSE(table.Translate(u"$Readfrom").found);
    const auto empty = table.Translate(u"$Empty");
    EXPECT_TRUE(empty.found);
    EXPECT_TRUE(empty.text.empty());
    // "$" and "#" alone, and texts without a marker, are never looked up.
    EXPECT_EQ(table.Translate(u"$").text, u"$");
    EXPECT_FALSE(table.Translate(u"#").found);
    EXPECT_FALSE(table.Translate(u"Readfromdevice").found);
    EXPECT_FALSE(table.Translate(u"").found);
}

TEST(LangLookup, KeysAreCutTo59Characters)
{
    const std::u16string longKey = u"A123456789B123456789C123456789D123456789E123456789F123456789G123";
    ASSERT_GT(longKey.size(), 59u);
    CLangTable table;
    table.AddPair(longKey.substr(0, 30) + u"   " + longKey.substr(30), u"long");
    EXPECT_EQ(CLangTable::NormaliseKey(longKey), longKey.substr(0, 59));
    EXPECT_TRUE(table.Translate(u"$" + longKey.substr(0, 59)).found);
    EXPECT_FALSE(table.Translate(u"$" + longKey).found);
    EXPECT_FALSE(table.Translate(u"$" + longKey.substr(0, 60)).found);
    EXPECT_FALSE(table.Translate(u"$" + longKey.substr(0, 58)).found);
    // A key ends at an embedded line break or NUL.
    EXPECT_EQ(CLangTable::NormaliseKey(std::u16string(u"Ab c\nrest")), u"Abc");
    EXPECT_EQ(CLangTable::NormaliseKey(std::u16string(u"Ab\0c", 4)), u"Ab");
}

TEST(LangLookup, HashTextsMatchTheFirstKeyWithThatBeginning)
{
    CLangTable table;
    table.AddPair(u"Profile Name", u"first");
    table.AddPair(u"Profile Number", u"second");
    table.AddPair(u"Macro", u"macro");
    table.AddPair(u"Macro", u"duplicate");
    EXPECT_EQ(table.Translate(u"#profilenu").text, u"second");
    EXPECT_EQ(table.Translate(u"#Profile").text, u"first");
    EXPECT_EQ(table.Translate(u"#MacroX").text, u"#MacroX");
    // Duplicate keys: the first in the file wins, for both markers.
    EXPECT_EQ(table.Translate(u"$Macro").text, u"macro");
    EXPECT_EQ(table.Translate(u"#Macro").text, u"macro");
}

TEST(LangOverrides, FirstMatchingRecordWinsAndNamesIgnoreCase)
{
    CLangTable table;
    table.AddOverride(72, u"fontid", u"FONT_ARIAL10");
    table.AddOverride(72, u"FONTID", u"FONT_ARIAL16");
    table.AddRectOverride(72, LangRect{1, 2, 3, 4});
    table.AddColumnOverride(u"LCITEM_PROFILENAME", u"width", u"140");
    table.AddFontReplacement(16, 18);
    EXPECT_EQ(table.Override(72, u"FontId"), u"FONT_ARIAL10");
    EXPECT_EQ(table.Override(73, u"fontid"), std::nullopt);
    EXPECT_EQ(table.RectOverride(72), (LangRect{1, 2, 3, 4}));
    EXPECT_EQ(table.RectOverride(73), std::nullopt);
    EXPECT_EQ(table.ColumnOverride(u"lcitem_profilename", u"WIDTH"), u"140");
    EXPECT_EQ(table.Override(-1, u"caps"), std::nullopt);
    EXPECT_EQ(table.ReplacementFont(16), 18);
    EXPECT_EQ(table.ReplacementFont(18), std::nullopt);
}

TEST(LanguageNumbers, RegistryNamesMapToLanguageIds)
{
    EXPECT_EQ(LanguageNumberFromName(u"English"), 0);
    EXPECT_EQ(LanguageNumberFromName(u"chinesetraditional"), 2);
    EXPECT_EQ(LanguageNumberFromName(u"FRENCHCANADIAN"), 4);
    EXPECT_EQ(LanguageNumberFromName(u"Spanish"), 9);
    EXPECT_EQ(LanguageNumberFromName(u"Greek"), 14);
    EXPECT_EQ(LanguageNumberFromName(u"Klingon"), -1);
    EXPECT_EQ(LanguageNumberFromName(u""), -1);
    EXPECT_EQ(LanguageNameFromNumber(5), u"German");
}

TEST_F(LanguagesReset, CurrentLanguageFallsBackToEnglishThenToNone)
{
    EXPECT_EQ(TranslateText(u"$Apply"), u"$Apply");
    EXPECT_EQ(SelectCurrentLanguage(u"German"), nullptr);

    CLangTable english(0);
    english.AddPair(u"Apply", u"Apply now");
    RegisterLanguage(0, &english);
    {
        CLangTable german(5);
        german.AddPair(u"Apply", u"Übernehmen");
        RegisterLanguage(5, &german);
        EXPECT_EQ(SelectCurrentLanguage(u"gErMaN"), &german);
        EXPECT_EQ(TranslateText(QStringLiteral("$apply")), QStringLiteral("Übernehmen"));
        EXPECT_EQ(SelectCurrentLanguage(u"Klingon"), &english);
        EXPECT_EQ(SelectCurrentLanguage(u"German"), &german);
    }
    // A destroyed table is neither current nor registered any more.
    EXPECT_EQ(CurrentLanguage(), nullptr);
    EXPECT_EQ(FindLanguage(5), nullptr);
    EXPECT_EQ(TranslateText(u"$Apply"), u"$Apply");
    EXPECT_EQ(SelectCurrentLanguage(u"German"), &english);
    EXPECT_EQ(TranslateText(u"$Apply"), u"Apply now");
}

TEST_F(LanguagesReset, LangElementsBuildTablesFromFilesAndOverrides)
{
    pugi::xml_document document;
    ASSERT_TRUE(document.load_file((LangDataDir() / "Language.xml").c_str()));
    const std::map<std::u16string, int> ids{{u"LANGUAGE_ENGLISH", 0}, {u"LANGUAGE_FRENCH", 3}, {u"LANGUAGE_GERMAN", 5},
                                            {u"LANGUAGE_SPANISH", 9}, {u"FONT_ARIAL10", 15},   {u"FONT_ARIAL12", 16},
                                            {u"FONT_ARIAL14", 18},    {u"FONT_ARIAL16", 19},   {u"BUTTON_OK", 63}};
    LangElementContext context;
    context.itemIdOf = [&ids](std::u16string_view name) {
        const auto it = ids.find(std::u16string(name));
        return it == ids.end() ? -1 : it->second;
    };
    context.readLangFile = [](std::u16string_view name) -> std::optional<std::vector<char>> {
        std::ifstream file(LangDataDir() / std::filesystem::path(name), std::ios::binary);
        if (!file)
            return std::nullopt;
        return std::vector<char>(std::istreambuf_iterator<char>(file), {});
    };

    std::vector<std::unique_ptr<CLangTable>> tables;
    for (const auto& lang : document.child("ITEMLIST").child("LANGLIST").children("LANG"))
        if (auto table = ReadLangElement(lang, context))
            tables.push_back(std::move(table));
    // Missing and unknown languages are left out; an empty file still loads, and so
    // does one without a byte-order mark.
    ASSERT_EQ(tables.size(), 3u);
    CLangTable* german = FindLanguage(5);
    ASSERT_NE(german, nullptr);
    EXPECT_EQ(german->kind, ItemKind::LANG);
    EXPECT_EQ(german->id, 5);
    EXPECT_EQ(german->Translate(u"$Readfromdevice").text, u"Vom Gerät lesen");
    EXPECT_EQ(german->Translate(u"$Reducelightbrightnessto??").text, u"Helligkeit reduzieren auf %s");
    EXPECT_FALSE(german->Translate(u"$Ignored").found);
    ASSERT_NE(FindLanguage(0), nullptr);
    EXPECT_EQ(FindLanguage(0)->PairCount(), 0u);
    EXPECT_EQ(FindLanguage(3), nullptr);
    ASSERT_NE(FindLanguage(9), nullptr);
    EXPECT_GT(FindLanguage(9)->PairCount(), 0u);

    EXPECT_EQ(german->ReplacementFont(16), 18);
    EXPECT_EQ(german->ReplacementFont(19), std::nullopt);
    EXPECT_EQ(german->Override(63, u"fontid"), u"FONT_ARIAL10");
    EXPECT_EQ(german->Override(63, u"caps"), u"U");
    EXPECT_EQ(german->Override(63, u"SBMN"), u"ok_de.png");
    EXPECT_EQ(german->RectOverride(63), (LangRect{10, 5, 90, 25}));
    EXPECT_EQ(german->Override(63, u"name"), std::nullopt);
    EXPECT_EQ(german->ColumnOverride(u"LCITEM_PROFILENAME", u"width"), u"140");
    EXPECT_EQ(german->ColumnOverride(u"LCITEM_PROFILEEXE", u"width"), std::nullopt);

    // The filter lets exactly one language through.
    ResetLanguages();
    tables.clear();
    context.languageFilter = 0;
    for (const auto& lang : document.child("ITEMLIST").child("LANGLIST").children("LANG"))
        if (auto table = ReadLangElement(lang, context))
            tables.push_back(std::move(table));
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0]->id, 0);
}
