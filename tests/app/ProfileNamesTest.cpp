// SPDX-License-Identifier: GPL-3.0-or-later
// Names the profiles page gives to copies and refuses as duplicates, and which
// files it may remove when a profile goes.
#include "app/ProfileNames.h"
#include "app/ProfileFiles.h"
#include "settings/IMouseProfile.h"
#include "settings/TovikEliteConfig.h"
#include "support/TempDir.h"

#include <QString>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

std::u16string U16(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

TEST(ProfileNames, CopiesAreNumberedAfterTheirSource)
{
    struct Case {
        const char16_t* source;
        std::vector<std::u16string> existing;
        std::optional<std::u16string> expected;
    };
    const Case cases[] = {
        {u"Default", {u"Default"}, u"Default(2)"},
        {u"Default", {u"Default", u"Default(2)"}, u"Default(3)"},
        // Taken names are found without regard to letter case.
        {u"Default", {u"Default", u"DEFAULT(2)"}, u"Default(3)"},
        // 19 characters stay whole; longer names keep their first 18.
        {u"Nineteen characters", {}, u"Nineteen characters(2)"},
        {u"Twenty-five characters!!", {}, u"Twenty-five charac(2)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromStdU16String(c.source).toStdString());
        CTovikEliteConfig config;
        for (const auto& name : c.existing)
            config.AppendProfile(name);
        EXPECT_EQ(FreeCopyName(config, c.source), c.expected);
    }
}

TEST(ProfileNames, NoCopyWhenEveryNumberIsTaken)
{
    CTovikEliteConfig config;
    config.AppendProfile(u"Game");
    for (int n = 2; n <= 99; ++n)
        config.AppendProfile(u"Game(" + U16(std::to_string(n)) + u")");
    EXPECT_EQ(FreeCopyName(config, u"Game"), std::nullopt);
    EXPECT_TRUE(IsProfileNameTaken(config, u"gAmE(57)"));
    EXPECT_FALSE(IsProfileNameTaken(config, u"Game(100)"));
}

TEST(ProfileFiles, OnlyAProfileFileInTheSaveFolderIsEverRemoved)
{
    TempDir temp;
    const auto save = temp / "save";
    const auto elsewhere = temp / "exports";
    std::filesystem::create_directories(save / "nested");
    std::filesystem::create_directories(elsewhere);
    std::filesystem::create_directories(save / "folder.zmp");
    for (const auto& path :
         {save / "kept.zmp", save / "notes.txt", save / "nested" / "deep.zmp", elsewhere / "mine.zmp"})
        std::ofstream(path) << "x";
    std::filesystem::create_symlink(elsewhere / "mine.zmp", save / "link.zmp");

    struct Case {
        std::filesystem::path path;
        bool removed;
    };
    const Case cases[] = {
        {elsewhere / "mine.zmp", false}, // exported or imported by the user
        {save / "link.zmp", false},      // a link leading out of the folder
        {save / "folder.zmp", false},    // a folder
        {save / "notes.txt", false},     // not a profile file
        {save / "nested" / "deep.zmp", false},
        {save / "missing.zmp", false},
        {save / "kept.zmp", true},
    };
    const std::u16string saveFolder = U16(save.string() + "/");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.string());
        EXPECT_EQ(RemoveKeptProfileFile(U16(c.path.string()), saveFolder, u"zmp"), c.removed);
        if (c.path.filename() != "missing.zmp") {
            EXPECT_EQ(std::filesystem::exists(std::filesystem::symlink_status(c.path)), !c.removed);
        }
    }
    EXPECT_TRUE(std::filesystem::exists(elsewhere / "mine.zmp"));
}

} // namespace
