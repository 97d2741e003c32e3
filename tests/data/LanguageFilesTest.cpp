// SPDX-License-Identifier: GPL-3.0-or-later
// Every text the skin and the program show has an English text, and every other
// language translates exactly the same keys with the same printf conversions, in
// files the language reader accepts.
#include <functional>
#include <map>
#include <optional>
#include <regex>
#include <set>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <QDirIterator>
#include <QFile>

#include "SkinDataSupport.h"
#include "skin/ItemIds.h"
#include "skin/LangTable.h"
#include "skin/TextFormat.h"

using namespace skindata;

namespace {

// key (normalised, as lookups compare it) -> text, read the way the language reader
// reads: UTF-16LE with BOM, lines end at CR, title and a free line, then pairs.
std::optional<std::map<std::u16string, std::u16string>> ReadPairs(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 2 || bytes.size() % 2 != 0 || uchar(bytes[0]) != 0xFF || uchar(bytes[1]) != 0xFE)
        return std::nullopt;
    std::u16string text;
    for (qsizetype i = 2; i + 1 < bytes.size(); i += 2)
        text.push_back(char16_t(uchar(bytes[i]) | (uchar(bytes[i + 1]) << 8)));
    std::vector<std::u16string> lines;
    std::u16string line;
    for (char16_t c : text) {
        if (c == u'\r' || c == u'\n') {
            if (!line.empty())
                lines.push_back(line);
            line.clear();
        } else {
            line.push_back(c);
        }
    }
    if (!line.empty())
        lines.push_back(line);
    std::map<std::u16string, std::u16string> pairs;
    for (std::size_t i = 2; i + 1 < lines.size(); i += 2) {
        if (QString::fromStdU16String(lines[i]).compare("END OF FILE", Qt::CaseInsensitive) == 0)
            break;
        pairs.emplace(CLangTable::NormaliseKey(lines[i]), lines[i + 1]);
    }
    return pairs;
}

QString LangPath(const char* file)
{
    return AppDir() + "lang/" + file;
}

// Every "$" key a skin file shows: texts, captions, tooltips, tooltip prefixes,
// column headers, list entries and mat captions.
std::set<std::u16string> KeysOfSkinFiles()
{
    std::set<std::u16string> keys;
    const auto add = [&keys](const char* value) {
        const QString text = QString::fromUtf8(value).trimmed();
        if (text.size() > 1 && text.startsWith('$'))
            keys.insert(text.toStdU16String());
    };
    QDirIterator files(AppDir() + "xml", {"*.xml"});
    while (files.hasNext()) {
        pugi::xml_document document;
        if (!document.load_file(files.next().toLocal8Bit().constData()))
            continue;
        struct Walker : pugi::xml_tree_walker {
            std::function<void(const char*)> add;
            bool for_each(pugi::xml_node& node) override
            {
                for (const char* attribute : {"textkey", "caption", "tooltip", "ttprefix"})
                    add(node.attribute(attribute).value());
                if (std::string_view(node.name()) == "LISTCOLUMN")
                    add(node.child_value());
                return true;
            }
        } walker;
        walker.add = add;
        document.traverse(walker);
    }
    return keys;
}

// Every "$" key written in the program's source.
std::set<std::u16string> KeysOfSource()
{
    std::set<std::u16string> keys;
    const std::regex key(R"re("(\$[A-Za-z][^"\\]*)")re");
    QDirIterator files(SourceDir() + "src", {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const std::string content = file.readAll().toStdString();
        for (auto it = std::sregex_iterator(content.begin(), content.end(), key); it != std::sregex_iterator(); ++it)
            keys.insert(QString::fromStdString((*it)[1].str()).toStdU16String());
    }
    return keys;
}

// Keys the pages and popups show from code with formats or fixed words.
const std::vector<std::u16string> kKeysShownByPages = {
    u"$Readfromdevice",
    u"$Writetodevice",
    u"$RestoreDefaults",
    u"$RestoreDefault",
    u"$SetActive",
    u"$Rename",
    u"$New",
    u"$Preview",
    u"$Delete",
    u"$Copy",
    u"$Import",
    u"$Export",
    u"$CreateProfile",
    u"$ImportProfile",
    u"$Off",
    u"$Dim",
    u"$Normal",
    u"$Bright",
    u"$On",
    u"$Record",
    u"$BatteryIndicator",
    u"$ScrollButton",
    u"$ChargingDock",
    u"$SpectrumCycling",
    u"$Color",
    u"$Brightness",
    u"$secondsdelay",
    u"$Custom",
    u"$AssignApplication",
    u"$UnassignApplication",
    u"$Reducelightbrightnessto??",
    u"$Entersleepmodeafteridlefor??min",
    u"$Entersleepmodeafteridlefor??mins",
    u"$Flashbatteryindicatorwhenbatterylevelfallsbelow??",
    u"$Estimatedbatterylife:Upto??hour",
    u"$Estimatedbatterylife:Upto??hours",
    u"$ResetButtonBackToDefaultFunction",
    u"$Assignasclick",
    u"$Assignasmenu",
    u"$Assignasuniversalscrollcontrol",
    u"$Assignasdouble-click",
    u"$Assignthisbuttontobehaveasakeyboardkey",
    u"$Assignthisbuttontocontrolmacroplayback",
    u"$Disablethisbutton",
    u"$Assignthisbuttontoenableon-the-flysensitivitywhilstheld",
    u"$AssignthisbuttontoincreaseDPIstage",
    u"$AssignthisbuttontodecreaseDPIstage",
    u"$Assignthisbuttontoatemporarydpi",
    u"$Assignthisbuttontochangetoaprofile",
    u"$Assignasbackward",
    u"$Assignasforward",
    u"$AssignthisbuttontobehaveasScrollUp",
    u"$AssignthisbuttontobehaveasScrollDown",
    u"$Matsoft",
    u"$Mathard",
    u"$Matglass",
    u"$Matcloth",
    u"$Mataluminium",
};

class DefaultLanguages : public ::testing::Test {
protected:
    void SetUp() override { PrepareSkinEnvironment(); }
};

} // namespace

TEST_F(DefaultLanguages, EveryLanguageOfTheTableIsListedAndLoads)
{
    int languageId = 0;
    for (const LanguageFile& language : LanguageFiles()) {
        SCOPED_TRACE(language.file);
        CLangTable* table = FindLanguage(languageId++);
        ASSERT_NE(table, nullptr);
        EXPECT_GT(table->PairCount(), 100u);
        EXPECT_EQ(SelectCurrentLanguage(QString::fromLatin1(language.registryName).toStdU16String()), table);
    }
    SelectLanguage("English");
}

TEST_F(DefaultLanguages, EveryKeyShownHasAnEnglishText)
{
    std::set<std::u16string> keys = KeysOfSkinFiles();
    EXPECT_GT(keys.size(), 100u);
    const std::set<std::u16string> fromSource = KeysOfSource();
    keys.insert(fromSource.begin(), fromSource.end());
    keys.insert(kKeysShownByPages.begin(), kKeysShownByPages.end());
    const CLangTable* english = FindLanguage(0);
    ASSERT_NE(english, nullptr);
    for (const std::u16string& key : keys) {
        const LangTranslation translation = english->Translate(key);
        EXPECT_TRUE(translation.found) << QString::fromStdU16String(key).toStdString();
        EXPECT_FALSE(translation.text.empty()) << QString::fromStdU16String(key).toStdString();
    }
}

TEST_F(DefaultLanguages, EveryLanguageTranslatesTheSameKeysWithTheSameConversions)
{
    const auto english = ReadPairs(LangPath("English.txt"));
    ASSERT_TRUE(english.has_value());
    for (const LanguageFile& language : LanguageFiles()) {
        SCOPED_TRACE(language.file);
        const auto pairs = ReadPairs(LangPath(language.file));
        ASSERT_TRUE(pairs.has_value()) << "not a UTF-16LE file with byte-order mark";
        for (const auto& [key, text] : *english) {
            const auto found = pairs->find(key);
            if (found == pairs->end()) {
                ADD_FAILURE() << "missing " << QString::fromStdU16String(key).toStdString();
                continue;
            }
            const auto expected = FormatConversionKinds(text);
            ASSERT_TRUE(expected.has_value()) << QString::fromStdU16String(key).toStdString();
            EXPECT_EQ(FormatConversionKinds(found->second), expected)
                << QString::fromStdU16String(key).toStdString() << ": "
                << QString::fromStdU16String(found->second).toStdString();
        }
        for (const auto& [key, text] : *pairs)
            EXPECT_TRUE(english->count(key)) << "no English text for " << QString::fromStdU16String(key).toStdString();
    }
}

TEST_F(DefaultLanguages, FormatsFilledByThePagesTakeTheirArguments)
{
    struct Format {
        std::u16string key;
        std::u16string builtIn;
    };
    const Format formats[] = {
        {u"$Reducelightbrightnessto??", u"Reduce light brightness to %s"},
        {u"$Entersleepmodeafteridlefor??min", u"Enter sleep mode after idle for %i min"},
        {u"$Entersleepmodeafteridlefor??mins", u"Enter sleep mode after idle for %i mins"},
        {u"$Flashbatteryindicatorwhenbatterylevelfallsbelow??",
         u"Flash battery indicator when battery level falls below %i%%"},
        {u"$Estimatedbatterylife:Upto??hour", u"Estimated battery life : Up to %i hour"},
        {u"$Estimatedbatterylife:Upto??hours", u"Estimated battery life : Up to %i hours"},
    };
    for (int languageId = 0; languageId < int(LanguageFiles().size()); ++languageId) {
        const CLangTable* table = FindLanguage(languageId);
        ASSERT_NE(table, nullptr);
        for (const Format& format : formats) {
            const LangTranslation translation = table->Translate(format.key);
            ASSERT_TRUE(translation.found) << languageId;
            EXPECT_EQ(FormatConversionKinds(translation.text), FormatConversionKinds(format.builtIn))
                << languageId << " " << QString::fromStdU16String(translation.text).toStdString();
        }
    }
}
