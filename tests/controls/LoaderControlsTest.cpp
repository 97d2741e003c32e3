// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "controls/AVIButton.h"
#include "controls/BitmapBtn.h"
#include "controls/BitmapItem.h"
#include "controls/BitmapWindow.h"
#include "controls/ControlDrawing.h"
#include "controls/ControlFactories.h"
#include "controls/TextItem.h"
#include "skin/ControlRegistry.h"
#include "skin/ItemIds.h"
#include "skin/LangTable.h"
#include "skin/SkinLoader.h"
#include "skin/SkinTestSupport.h"

using namespace skintest;

namespace {

class LoaderControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearControlFactories();
        ResetLanguages();
        RegisterAllControls();
    }
    void TearDown() override
    {
        items.Clear();
        ClearControlFactories();
        ResetLanguages();
    }
    TestAppDir app;
    RecordingWindow owner;
    CGUIItems items;
};

TEST_F(LoaderControlsTest, EveryBasicElementBecomesItsLiveControl)
{
    SkinLoadStats stats;
    ASSERT_TRUE(LoadSkinFile(items, u"Order.xml", &owner, false, &stats));
    EXPECT_EQ(stats.missingFactory, 0);
    auto* ok = dynamic_cast<CBitmapBtn*>(items.FindById(ItemId::BUTTON_OK));
    auto* clip = dynamic_cast<CAVIButton*>(items.FindById(ItemId::BUTTON_KORU));
    auto* text = dynamic_cast<CTextItem*>(items.FindById(ItemId::TEXT_POLLINGRATE));
    auto* picture = dynamic_cast<CBitmapItem*>(items.FindById(ItemId::BITMAP_MOUSE_TOPVIEW));
    auto* frame = dynamic_cast<CBitmapWindow*>(items.FindById(ItemId::BITMAP_BACKGROUND_RECT));
    ASSERT_TRUE(ok && clip && text && picture && frame);

    EXPECT_EQ(ok->CGUIItem::window, ok);
    EXPECT_EQ(ok->kind, ItemKind::BUTTON);
    EXPECT_EQ(ok->owner, &owner);
    EXPECT_EQ(ok->parentWidget(), &owner);
    EXPECT_EQ(ok->Caption(), QStringLiteral("$OK")); // no language: shown as written
    EXPECT_TRUE(ok->IsCheckBox());
    EXPECT_EQ(text->GetText(), QStringLiteral("$Polling"));
    EXPECT_TRUE(picture->IsMoveable());
    EXPECT_EQ(picture->Bitmap().size(), QSize(200, 30));
    EXPECT_EQ(clip->VideoFile(), u"clip.gif");
    EXPECT_TRUE(clip->Play());

    // Show(0) hides every window item, Show(1) shows them again.
    owner.show();
    items.ShowAll(0);
    EXPECT_FALSE(ok->isVisible());
    items.ShowAll(1);
    EXPECT_TRUE(ok->isVisible());
}

TEST_F(LoaderControlsTest, EveryElementKindHasAFactory)
{
    SkinLoadStats stats;
    owner.resize(240, 200);
    ASSERT_TRUE(LoadSkinFile(items, u"AllElements.xml", &owner, false, &stats));
    EXPECT_EQ(stats.missingFactory, 0);
    EXPECT_EQ(stats.factoryDeclined, 0);
    ASSERT_TRUE(LoadSkinFile(items, u"References.xml", &owner, false, &stats));
    EXPECT_EQ(stats.missingFactory, 0);
    for (CGUIItem* item : items.Items())
        EXPECT_EQ(item->owner, &owner) << "item " << item->id;
    owner.show();
    SaveScreenshot(owner, QStringLiteral("test_all_elements"));
}

TEST_F(LoaderControlsTest, ControlsDestroyedWithTheirWindowAreNotTouchedAgain)
{
    auto parent = std::make_unique<RecordingWindow>();
    ASSERT_TRUE(LoadSkinFile(items, u"Order.xml", parent.get(), false));
    const std::size_t before = items.Items().size();
    parent.reset(); // Qt deletes the child controls
    EXPECT_LT(items.Items().size(), before);
    EXPECT_EQ(items.FindById(ItemId::BUTTON_OK), nullptr);
    EXPECT_NE(items.FindById(ItemId::FONT_ARIAL12), nullptr);
    items.Clear(); // must not delete the destroyed controls a second time
}

TEST_F(LoaderControlsTest, LanguageChangesWhatControlsShow)
{
    CGUIItems languages;
    ASSERT_TRUE(LoadSkinFile(languages, u"Language.xml", nullptr, false));
    ASSERT_NE(SelectCurrentLanguage(u"German"), nullptr);
    ASSERT_TRUE(LoadSkinFile(items, u"Order.xml", &owner, false));
    auto* ok = dynamic_cast<CBitmapBtn*>(items.FindById(ItemId::BUTTON_OK));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->Caption(), QStringLiteral("GUT")); // translated, then upper case from the override
    EXPECT_EQ(ok->geometry(), QRect(5, 6, 80, 20));  // the German rectangle
    items.Clear();
}

} // namespace

namespace {

std::string ReadSkinSource(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

// Each RECT of a skin of every element kind is made huge in turn (and, in turn,
// far enough apart to overflow a width): the skin still loads, the item or part
// is refused, and no control is ever sized beyond the skin limits.
TEST_F(LoaderControlsTest, HugeOrOverflowingRectsAreRefusedNotAllocated)
{
    const std::string source = ReadSkinSource(app.path() / "xml" / "AllElements.xml");
    std::vector<size_t> rects;
    for (size_t at = source.find("<RECT "); at != std::string::npos; at = source.find("<RECT ", at + 1))
        rects.push_back(at);
    ASSERT_GT(rects.size(), 10u);
    const char* hostile[] = {R"(<RECT left="0" top="0" right="30000" bottom="30000"/>)",
                             R"(<RECT left="-2147483647" top="0" right="2147483647" bottom="10"/>)"};
    for (const char* rect : hostile) {
        for (size_t index = 0; index < rects.size(); ++index) {
            SCOPED_TRACE(std::string(rect) + " as RECT " + std::to_string(index));
            std::string skin = source;
            const size_t end = skin.find("/>", rects[index]) + 2;
            skin.replace(rects[index], end - rects[index], rect);
            app.WriteXml("Hostile.xml", skin);
            CResourceCache::Instance().Clear();
            CGUIItems hostileItems;
            SkinLoadStats stats;
            owner.resize(240, 200);
            ASSERT_TRUE(LoadSkinFile(hostileItems, u"Hostile.xml", &owner, false, &stats));
            for (const QWidget* widget : owner.findChildren<QWidget*>()) {
                EXPECT_LE(widget->width(), kSkinMaxExtent) << widget->metaObject()->className();
                EXPECT_LE(widget->height(), kSkinMaxExtent) << widget->metaObject()->className();
            }
            hostileItems.Clear();
        }
    }
}

TEST(SkinRectLimits, WidthsSaturateAndCutsStayBounded)
{
    const SkinRect wide{-2147483647, 0, 2147483647, 10};
    EXPECT_EQ(wide.Width(), INT_MAX);
    EXPECT_FALSE(wide.IsWithinSkinLimits());
    EXPECT_FALSE((SkinRect{0, 0, kSkinMaxExtent + 1, 10}.IsWithinSkinLimits()));
    EXPECT_TRUE((SkinRect{-10, -10, kSkinMaxExtent - 10, 10}.IsWithinSkinLimits()));
    QImage source(40, 20, QImage::Format_ARGB32_Premultiplied);
    source.fill(Qt::red);
    EXPECT_TRUE(CutImage(source, 0, 0, 30000, 30000).isNull());
    EXPECT_TRUE(CutImage(source, -2147483647, 0, 2147483647, 10).isNull());
    EXPECT_EQ(CutImage(source, 0, 0, 60, 20).size(), QSize(60, 20)) << "a cut past the source is still allowed";
}

TEST(CutImages, AWholePremultipliedPictureIsSharedAndEveryOtherCutIsItsOwn)
{
    QImage opaque(40, 20, QImage::Format_ARGB32_Premultiplied);
    opaque.fill(qRgb(10, 20, 30));
    opaque.setPixel(39, 19, qRgb(200, 100, 50));
    QImage translucent(40, 20, QImage::Format_ARGB32);
    translucent.fill(qRgba(255, 255, 255, 0));
    const struct {
        const char* what;
        const QImage& source;
        QRect cut;
        bool shared;
    } cases[] = {
        {"the whole picture", opaque, QRect(0, 0, 40, 20), true},
        {"a part", opaque, QRect(0, 0, 20, 20), false},
        {"more than the picture", opaque, QRect(0, 0, 41, 20), false},
        {"shifted", opaque, QRect(1, 0, 40, 20), false},
        {"a picture not yet premultiplied", translucent, QRect(0, 0, 40, 20), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage cut = CutImage(c.source, c.cut.left(), c.cut.top(), c.cut.right() + 1, c.cut.bottom() + 1);
        EXPECT_EQ(cut.cacheKey() == c.source.cacheKey(), c.shared);
        EXPECT_EQ(cut.format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(cut.size(), c.cut.size());
    }
    // What is drawn is the same either way; a shared picture is not changed by its users.
    const QImage whole = CutImage(opaque, 0, 0, 40, 20);
    EXPECT_EQ(whole.pixel(39, 19), qRgb(200, 100, 50));
    QImage edited = whole;
    edited.setPixel(0, 0, qRgb(0, 0, 0));
    EXPECT_EQ(opaque.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(qAlpha(CutImage(translucent, 0, 0, 40, 20).pixel(3, 3)), 0);
}
