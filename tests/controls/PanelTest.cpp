// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTest>

#include "controls/BitmapBtn.h"
#include "controls/ControlFactories.h"
#include "controls/GUIPanel.h"
#include "controls/TextItem.h"
#include "skin/ControlRegistry.h"
#include "skin/ItemIds.h"
#include "skin/LangTable.h"
#include "skin/PanelBitmap.h"
#include "skin/ResourceCache.h"
#include "skin/SkinLoader.h"
#include "skin/SkinTestSupport.h"

using namespace skintest;

namespace {

// A panel that records what its controls tell it.
class RecordingPanel : public CGUIPanel {
public:
    using CGUIPanel::CGUIPanel;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back({msg, wParam, lParam});
        return 0;
    }
    std::vector<RecordedMessage> messages;
};

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearControlFactories();
        ResetLanguages();
        RegisterAllControls();
    }
    void TearDown() override { ClearControlFactories(); }
    TestAppDir app;
};

TEST_F(PanelTest, CreatingAPanelLoadsItsItemsAndTakesItsSizeAndShapeFromTheBitmaps)
{
    RecordingPanel panel(u"Panel.xml", nullptr);
    panel.resize(10, 10);
    ASSERT_TRUE(panel.Create());
    EXPECT_TRUE(panel.IsLoaded());
    EXPECT_EQ(panel.size(), QSize(240, 160));
    // The mask cuts away the white right-hand quarter.
    EXPECT_EQ(panel.Region(), QRegion(0, 0, 180, 160));

    auto* ok = dynamic_cast<CBitmapBtn*>(panel.Items().FindById(ItemId::BUTTON_OK));
    auto* box = dynamic_cast<CBitmapBtn*>(panel.Items().FindById(ItemId::BUTTON_ENABLEXY));
    auto* label = dynamic_cast<CTextItem*>(panel.Items().FindById(ItemId::TEXT_ENABLEXY));
    ASSERT_TRUE(ok && box && label);
    EXPECT_EQ(ok->owner, &panel);
    EXPECT_EQ(ok->parentWidget(), &panel);
    EXPECT_EQ(ok->geometry(), QRect(10, 10, 40, 20));
    EXPECT_TRUE(box->IsCheckBox());
    EXPECT_EQ(box->Region(), QRegion(0, 0, 20, 20)); // its own mask
    EXPECT_EQ(label->LinkedCheckBox(), box);
    EXPECT_EQ(panel.Items().FindByWindow(ok), ok);

    // A button that names a picture with windowid lives on that picture.
    auto* onPicture = dynamic_cast<CBitmapBtn*>(panel.Items().FindById(ItemId::BUTTON_CHKBOX_SLCT_SHIFT));
    CGUIItem* picture = panel.Items().FindById(ItemId::BITMAP_MOUSE_TOPVIEW);
    ASSERT_TRUE(onPicture && picture);
    EXPECT_EQ(onPicture->parentWidget(), picture->window);

    panel.show();
    const QString shot = SaveScreenshot(panel, QStringLiteral("test_panel"));
    EXPECT_FALSE(QImage(shot).isNull());
}

TEST_F(PanelTest, ClicksReachThePanelAsCommandsItCanMatchToItems)
{
    RecordingPanel panel(u"Panel.xml", nullptr);
    ASSERT_TRUE(panel.Create());
    panel.show();
    auto* ok = dynamic_cast<CBitmapBtn*>(panel.Items().FindById(ItemId::BUTTON_OK));
    auto* label = dynamic_cast<CTextItem*>(panel.Items().FindById(ItemId::TEXT_ENABLEXY));
    auto* onPicture = dynamic_cast<CBitmapBtn*>(panel.Items().FindById(ItemId::BUTTON_CHKBOX_SLCT_SHIFT));
    ASSERT_TRUE(ok && label && onPicture);

    QTest::mouseClick(ok, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(onPicture, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(panel.messages.size(), 3u);
    std::vector<int> clicked;
    for (const auto& message : panel.messages) {
        ASSERT_EQ(message.msg, WM_COMMAND);
        CGUIItem* item = panel.Items().FindByHandle(reinterpret_cast<HWND>(message.lParam));
        ASSERT_NE(item, nullptr);
        clicked.push_back(item->id);
    }
    // The label clicks its check box; the picture passes its button's click on.
    EXPECT_EQ(clicked,
              (std::vector<int>{ItemId::BUTTON_OK, ItemId::BUTTON_ENABLEXY, ItemId::BUTTON_CHKBOX_SLCT_SHIFT}));
}

TEST_F(PanelTest, TranslatedTextsWithALineBreakShowTwoLines)
{
    CGUIItems languages;
    ASSERT_TRUE(LoadSkinFile(languages, u"Language.xml", nullptr, false));
    ASSERT_NE(SelectCurrentLanguage(u"German"), nullptr);
    CGUIPanel panel(u"Panel.xml", nullptr);
    ASSERT_TRUE(panel.Create());
    auto* label = dynamic_cast<CTextItem*>(panel.Items().FindById(ItemId::TEXT_ENABLEXY));
    auto* box = dynamic_cast<CBitmapBtn*>(panel.Items().FindById(ItemId::BUTTON_ENABLEXY));
    ASSERT_TRUE(label && box);
    EXPECT_EQ(label->GetText(), QStringLiteral("Erste\nZweite"));
    box->SetChecked(true);
    panel.show();

    // The two lines are drawn one above the other: lit rows in two separate bands.
    const QImage painted = panel.grab(label->geometry()).toImage();
    std::vector<bool> litRows(painted.height(), false);
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x)
            if (qGray(painted.pixel(x, y)) > 160)
                litRows[y] = true;
    int bands = 0;
    for (int y = 0; y < painted.height(); ++y)
        if (litRows[y] && (y == 0 || !litRows[y - 1]))
            ++bands;
    EXPECT_EQ(bands, 2);
    SaveScreenshot(panel, QStringLiteral("test_panel_german"));
    panel.Destroy();
    ResetLanguages();
}

TEST_F(PanelTest, APanelWhoseFileDoesNotLoadKeepsItsSize)
{
    for (const char16_t* name : {u"NoSuchPanel.xml", u"PanelWithoutMask.xml"}) {
        CGUIPanel panel(name, nullptr);
        panel.resize(33, 44);
        EXPECT_FALSE(panel.Create());
        EXPECT_FALSE(panel.IsLoaded());
        EXPECT_EQ(panel.size(), QSize(33, 44));
        EXPECT_TRUE(panel.Items().empty());
    }
    CGUIPanel fixed(SkinRect{5, 6, 105, 56}, nullptr);
    EXPECT_TRUE(fixed.Create());
    EXPECT_EQ(fixed.geometry(), QRect(5, 6, 100, 50));
}

TEST_F(PanelTest, EachPanelCutsItsShapeThoughTheMaskPictureIsLetGoAfterwards)
{
    auto& cache = CResourceCache::Instance();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        CGUIPanel panel(u"Panel.xml", nullptr);
        ASSERT_TRUE(panel.Create());
        EXPECT_EQ(panel.Region(), QRegion(0, 0, 180, 160));
        auto* mask = dynamic_cast<CPanelBitmap*>(panel.Items().FindById(kPanelMaskId, ItemKind::PANELBITMAP));
        ASSERT_NE(mask, nullptr);
        EXPECT_TRUE(mask->Image().isNull());
        // The background stays: it is painted.
        EXPECT_FALSE(panel.Background().isNull());
        const size_t held = cache.Count();
        ASSERT_FALSE(cache.Image(u"panel_mask.png").isNull());
        EXPECT_EQ(cache.Count(), held + 1) << "the mask picture was still kept";
        cache.ReleaseImage(u"panel_mask.png");
    }
}

TEST_F(PanelTest, DestroyingAPanelReleasesItsItemsAndLook)
{
    auto panel = std::make_unique<CGUIPanel>(u"Panel.xml", nullptr);
    ASSERT_TRUE(panel->Create());
    QPointer<QWidget> ok = dynamic_cast<QWidget*>(panel->Items().FindById(ItemId::BUTTON_OK));
    ASSERT_TRUE(ok);
    panel->Destroy();
    EXPECT_FALSE(panel->IsLoaded());
    EXPECT_TRUE(panel->Background().isNull());
    EXPECT_FALSE(panel->HasRegion());
    EXPECT_TRUE(ok.isNull());
    // Loading again after a destroy works, and deleting the window with its
    // controls still inside does not delete them twice.
    ASSERT_TRUE(panel->Create());
    panel.reset();
}

} // namespace
