// SPDX-License-Identifier: GPL-3.0-or-later
// Renders every window of the default skin (pages on the main window, popups on
// their own) into PNG files under the build tree's screenshots/ folder, so people
// can look at what the skin shows. Each rendering must have the window's size and
// must not be a blank image.
#include <memory>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>

#include "SkinDataSupport.h"
#include "controls/GUIPanel.h"
#include "skin/GUIItems.h"
#include "skin/SkinLoader.h"

using namespace skindata;

namespace {

struct Shot {
    QString output;
    std::u16string window;
    std::vector<std::u16string> additions;
};

// Distinct colours in a sample of the image: a blank or single-colour rendering has one or two.
int ColourVariety(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

QImage Render(const Shot& shot)
{
    CGUIPanel panel(shot.window, nullptr);
    if (!panel.Create())
        return QImage();
    std::vector<std::unique_ptr<CGUIItems>> additions;
    for (const std::u16string& file : shot.additions) {
        additions.push_back(std::make_unique<CGUIItems>());
        if (!LoadSkinFile(*additions.back(), file, &panel, false))
            return QImage();
    }
    panel.show();
    QApplication::processEvents();
    QImage image = panel.grab().toImage();
    panel.hide();
    for (auto& items : additions)
        items->Clear();
    return image;
}

std::vector<Shot> Shots()
{
    std::vector<Shot> shots = {
        {"page-assign-buttons", u"MainPage.xml", {u"AssignButtons_MouseRefresh.xml", u"CurrentProfile.xml"}},
        {"page-assign-buttons-earlier", u"MainPage.xml", {u"AssignButtons_MouseLegacy.xml", u"CurrentProfile.xml"}},
        {"page-performance", u"MainPage.xml", {u"AdjustPerformance_MouseRefresh.xml", u"CurrentProfile.xml"}},
        {"page-performance-earlier", u"MainPage.xml", {u"AdjustPerformance_MouseLegacy.xml", u"CurrentProfile.xml"}},
        {"page-profiles", u"MainPage.xml", {u"ManageProfiles.xml"}},
        {"page-macros", u"MainPage.xml", {u"ManageMacros.xml"}},
        {"page-lighting", u"MainPage.xml", {u"LightingMaintenance.xml", u"LightingMaintenance_MouseRefresh.xml"}},
        {"page-lighting-earlier",
         u"MainPage.xml",
         {u"LightingMaintenance.xml", u"LightingMaintenance_MouseLegacy.xml"}},
        {"preview", u"PreviewPopup.xml", {u"PreviewPopup_MouseRefresh.xml"}},
        {"preview-earlier", u"PreviewPopup.xml", {u"PreviewPopup_MouseLegacy.xml"}},
    };
    for (const SkinFile& file : WindowSkinFiles()) {
        const QString name = QString::fromLatin1(file.name);
        if (file.kind == WindowKind::Panel && name != "MainPage.xml" && name != "PreviewPopup.xml")
            shots.push_back({"popup-" + name.chopped(4), name.toStdU16String(), {}});
    }
    return shots;
}

} // namespace

TEST(DefaultSkinScreenshots, EveryWindowRendersAtItsSize)
{
    PrepareSkinEnvironment();
    ASSERT_TRUE(QDir().mkpath(ScreenshotDir()));
    for (const Shot& shot : Shots()) {
        SCOPED_TRACE(shot.output.toStdString());
        const QImage image = Render(shot);
        ASSERT_FALSE(image.isNull());
        EXPECT_GT(image.width(), 400);
        EXPECT_GT(ColourVariety(image), 20);
        EXPECT_TRUE(image.save(ScreenshotDir() + shot.output + ".png"));
    }
}

TEST(DefaultSkinScreenshots, PagesInOtherScriptsRender)
{
    PrepareSkinEnvironment();
    ASSERT_TRUE(QDir().mkpath(ScreenshotDir()));
    for (const char* language : {"German", "Japanese", "Russian"}) {
        SelectLanguage(language);
        for (const Shot& shot : {Shot{"page-lighting",
                                      u"MainPage.xml",
                                      {u"LightingMaintenance.xml", u"LightingMaintenance_MouseRefresh.xml"}},
                                 Shot{"page-performance",
                                      u"MainPage.xml",
                                      {u"AdjustPerformance_MouseRefresh.xml", u"CurrentProfile.xml"}}}) {
            const QImage image = Render(shot);
            ASSERT_FALSE(image.isNull());
            EXPECT_TRUE(image.save(ScreenshotDir() + shot.output + "-" + language + ".png"));
        }
    }
    SelectLanguage("English");
}
