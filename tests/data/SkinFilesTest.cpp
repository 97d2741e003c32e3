// SPDX-License-Identifier: GPL-3.0-or-later
// Every skin file of the default skin loads completely: all item names resolve, all
// bitmaps and fonts exist, references point at items of the right kind, and every
// item sits inside its window without covering another.
#include <map>
#include <set>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <QImage>

#include "SkinDataSupport.h"
#include "SkinLayout.h"
#include "platform/SkinWindow.h"
#include "skin/GUIItems.h"
#include "skin/ItemIds.h"
#include "skin/MouseMats.h"
#include "skin/SkinLoader.h"
#include "skin/keyboard/KeyboardDef.h"

using namespace skindata;

namespace {

class DefaultSkinFiles : public ::testing::Test {
protected:
    void SetUp() override { PrepareSkinEnvironment(); }
};

QString XmlPath(const char* file)
{
    return AppDir() + "xml/" + file;
}

// The rectangle a file's items must stay in: its own background for panels, the
// main window's page area for pages and their additions.
QRect WindowArea(const SkinFile& file)
{
    switch (file.kind) {
    case WindowKind::Page:
    case WindowKind::PageAddition:
        return QRect(16, 116, 888, 462);
    case WindowKind::PreviewAddition:
        return QRect(QPoint(0, 0), QImage(AppDir() + "skins/popup_preview_bg.png").size());
    case WindowKind::Panel:
        break;
    }
    pugi::xml_document document;
    document.load_file(XmlPath(file.name).toLocal8Bit().constData());
    const QString background = QString::fromUtf8(document.child("GUIPANEL").child_value("BACKGROUND")).trimmed();
    return QRect(QPoint(0, 0), QImage(AppDir() + "skins/" + background).size());
}

} // namespace

TEST_F(DefaultSkinFiles, EveryWindowFileLoadsWithEveryNameBitmapAndFont)
{
    for (const SkinFile& file : WindowSkinFiles()) {
        SCOPED_TRACE(file.name);
        CSkinWindow owner;
        CGUIItems items;
        SkinLoadStats stats;
        ASSERT_TRUE(LoadSkinFile(items, QString::fromLatin1(file.name).toStdU16String(), &owner, false, &stats));
        EXPECT_GT(stats.itemsAdded, 0);
        EXPECT_EQ(stats.skippedUnknownName, 0);
        EXPECT_EQ(stats.missingFiles, 0);
        // Every element names what its control needs, so no factory turns it down.
        EXPECT_EQ(stats.factoryDeclined, 0);
        // Controls no factory builds yet are reported by the loader, not faked here.
        RecordProperty(file.name, stats.missingFactory);
        items.Clear();
    }
}

TEST_F(DefaultSkinFiles, NestedNamesAndReferencesResolveToItemsOfTheRightKind)
{
    for (const SkinFile& file : WindowSkinFiles()) {
        SCOPED_TRACE(file.name);
        pugi::xml_document document;
        ASSERT_TRUE(document.load_file(XmlPath(file.name).toLocal8Bit().constData()));
        // Item name -> element name, in file order, as far as read so far.
        std::map<std::string, std::string> earlier;
        std::map<std::string, bool> isCheckBox;
        for (pugi::xml_node section = document.document_element().first_child(); section;
             section = section.next_sibling()) {
            for (pugi::xml_node node = section.first_child(); node; node = node.next_sibling()) {
                const std::string name = node.attribute("name").value();
                for (const char* attribute : {"fontid", "trackid", "checkboxid", "windowid"}) {
                    if (!node.attribute(attribute))
                        continue;
                    const std::string target = node.attribute(attribute).value();
                    ASSERT_TRUE(earlier.count(target)) << name << " names " << target << " before it exists";
                    const std::string& kind = earlier[target];
                    if (std::string(attribute) == "fontid")
                        EXPECT_EQ(kind, "FONT") << name;
                    else if (std::string(attribute) == "checkboxid")
                        EXPECT_TRUE(kind == "BUTTON" && isCheckBox[target]) << name;
                    else
                        EXPECT_TRUE(kind == "SLIDERTRACK" || kind == "BITMAPITEM") << name;
                }
                for (pugi::xml_node stage = node.child("STAGES").child("STAGE"); stage;
                     stage = stage.next_sibling("STAGE"))
                    EXPECT_GE(LookupItemId(std::string_view(stage.child_value())), 0) << stage.child_value();
                earlier[name] = node.name();
                isCheckBox[name] = node.attribute("ischeckbox").as_bool();
            }
        }
    }
}

TEST_F(DefaultSkinFiles, ItemsStayInsideTheirWindowAndDoNotCoverEachOther)
{
    // Items that share a place on purpose: only one of each pair is shown at a time,
    // or a value is written on its box.
    const std::set<std::pair<std::string, std::string>> layered = {
        {"TEXT_DPI1", "TEXT_HEADING_X"},
        {"BITMAP_SLSENSTRK_XY", "BITMAP_SLSENSTRK_X"},
        {"BITMAP_SLSENSTRK_XY_POPUP", "BITMAP_SLSENSTRK_X_POPUP"},
        {"BITMAP_SLACCLTRK", "BITMAP_SLACCLTRKDISB"},
        {"BITMAP_CONNECTION_WIRED", "BITMAP_CONNECTION_WIRELESS"},
        {"MACRO_DISPLAY", "MACRO_DISPLAY_READONLY"},
        {"BITMAP_SENSWINDOW1", "TEXT_DPIVALUE1"},
        {"BITMAP_SENSWINDOW2", "TEXT_DPIVALUE2"},
        {"BITMAP_TEMPDPI_SENSWINDOW1", "TEXT_DPIVALUE1"},
        {"BITMAP_TEMPDPI_SENSWINDOW2", "TEXT_DPIVALUE2"},
    };
    const auto mayOverlap = [&layered](const PlacedItem& a, const PlacedItem& b) {
        return layered.count({a.name, b.name}) || layered.count({b.name, a.name});
    };
    // Pop-up menus open over other items, and group frames lie under everything.
    const auto takesPart = [](const PlacedItem& item) {
        return item.element != "LISTPANEL" && item.name.rfind("BITMAP_BACKGROUND_RECT", 0) != 0;
    };
    const auto check = [&](const std::vector<const char*>& files, const QRect& area) {
        std::vector<PlacedItem> items;
        for (const char* file : files)
            ASSERT_TRUE(ReadPlacedItems(XmlPath(file), items)) << file;
        for (std::size_t i = 0; i < items.size(); ++i) {
            EXPECT_TRUE(area.contains(items[i].rect)) << items[i].file << ": " << items[i].name << " leaves its window";
            if (!takesPart(items[i]))
                continue;
            for (std::size_t j = i + 1; j < items.size(); ++j)
                if (takesPart(items[j]) && items[i].rect.intersects(items[j].rect) && !mayOverlap(items[i], items[j]))
                    ADD_FAILURE() << items[i].file << ": " << items[i].name << " covers " << items[j].file << ": "
                                  << items[j].name;
        }
    };
    for (const SkinFile& file : WindowSkinFiles()) {
        SCOPED_TRACE(file.name);
        check({file.name}, WindowArea(file));
    }
    // The pages are shown together with the main window and their additions.
    const QRect main(0, 0, 920, 640);
    for (const char* page : {"AssignButtons_MouseRefresh.xml", "AssignButtons_MouseLegacy.xml",
                             "AdjustPerformance_MouseRefresh.xml", "AdjustPerformance_MouseLegacy.xml"})
        check({"MainPage.xml", "CurrentProfile.xml", page}, main);
    check({"MainPage.xml", "ManageProfiles.xml"}, main);
    check({"MainPage.xml", "ManageMacros.xml"}, main);
    check({"MainPage.xml", "LightingMaintenance.xml", "LightingMaintenance_MouseRefresh.xml"}, main);
    check({"MainPage.xml", "LightingMaintenance.xml", "LightingMaintenance_MouseLegacy.xml"}, main);
    check({"PreviewPopup.xml", "PreviewPopup_MouseRefresh.xml"}, QRect(0, 0, 780, 560));
    check({"PreviewPopup.xml", "PreviewPopup_MouseLegacy.xml"}, QRect(0, 0, 780, 560));
}

TEST_F(DefaultSkinFiles, KeyboardAndMouseMatFilesLoad)
{
    CGUIItems keyboard;
    SkinLoadStats stats;
    ASSERT_TRUE(LoadSkinFile(keyboard, u"Keyboard.xml", nullptr, false, &stats));
    EXPECT_EQ(stats.missingFiles, 0);
    EXPECT_NE(keyboard.FindById(LookupItemId(std::string_view("KBDDEF_WINDOWS"))), nullptr);
    EXPECT_GT(CKeyboardDef::Instance().KeyCount(), 0u);

    CMouseMatList mats;
    ASSERT_TRUE(mats.LoadDefault());
    EXPECT_EQ(mats.Mats().size(), 5u);
    for (const auto& [type, mat] : mats.Mats())
        EXPECT_EQ(mat.caption.substr(0, 1), u"$") << "mat captions are translated";
}
