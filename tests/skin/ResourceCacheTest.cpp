// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "SkinTestSupport.h"
#include "skin/ResourceCache.h"

#include <QFontDatabase>

using namespace skintest;

TEST(ResourceCache, LoadsEachNameOnceWhateverItsLetterCase)
{
    TestAppDir app;
    auto& cache = CResourceCache::Instance();
    const CacheEntry* first = cache.Get(ResourceType::Image, u"normal.png");
    const CacheEntry* again = cache.Get(ResourceType::Image, u"NORMAL.png");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, again);
    EXPECT_EQ(cache.Count(), 1u);
    EXPECT_EQ(first->name, u"normal.png");
    EXPECT_EQ(first->image.size(), QSize(40, 20));
    EXPECT_EQ(first->fullPath, GetAppDirectory() + u"skins/normal.png");
    // Images handed out share the cached pixels.
    EXPECT_EQ(cache.Image(u"normal.png").cacheKey(), first->image.cacheKey());

    const CacheEntry* clip = cache.Get(ResourceType::BinaryFile, u"clip.gif");
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->size, static_cast<std::size_t>(clip->bytes.size()));
    EXPECT_GT(clip->size, 0u);
    // The same name in another folder is another file.
    EXPECT_EQ(cache.Get(ResourceType::LanguageFile, u"clip.gif"), nullptr);

    cache.Clear();
    EXPECT_EQ(cache.Count(), 0u);
}

TEST(ResourceCache, RefusesNamesThatLeaveTheirFolderAndDoesNotRememberFailures)
{
    TestAppDir app;
    auto& cache = CResourceCache::Instance();
    EXPECT_EQ(cache.Get(ResourceType::LanguageFile, u"../xml/Order.xml"), nullptr);
    EXPECT_EQ(cache.Get(ResourceType::LanguageFile, u"..\\xml\\Order.xml"), nullptr);
    EXPECT_EQ(cache.Get(ResourceType::BinaryFile, u"/etc/hostname"), nullptr);
    EXPECT_EQ(cache.Get(ResourceType::Image, u""), nullptr);
    EXPECT_EQ(cache.Get(ResourceType::Image, u"missing.png"), nullptr);
    EXPECT_EQ(cache.Count(), 0u);

    // Not an image: a failure, not an empty bitmap.
    WriteBytes(app.path() / "skins" / "broken.png", "not a picture");
    EXPECT_EQ(cache.Get(ResourceType::Image, u"broken.png"), nullptr);
    SaveSolidImage(app.path() / "skins" / "missing.png", 3, 3, Qt::red);
    EXPECT_NE(cache.Get(ResourceType::Image, u"missing.png"), nullptr);
}

TEST(ResourceCache, FontFilesJoinThePrivateFontsUntilTheCacheIsCleared)
{
    const std::filesystem::path systemFont = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
    if (!std::filesystem::exists(systemFont))
        GTEST_SKIP() << "no font file to copy";
    TestAppDir app;
    std::filesystem::create_directories(app.path() / "fonts");
    std::filesystem::copy_file(systemFont, app.path() / "fonts" / "Private.ttf");
    auto& cache = CResourceCache::Instance();
    const CacheEntry* font = cache.Get(ResourceType::FontFile, u"private.TTF");
    ASSERT_NE(font, nullptr);
    EXPECT_GE(font->fontId, 0);
    EXPECT_GE(font->fontFamilyCount, 1);
    EXPECT_TRUE(QFontDatabase::applicationFontFamilies(font->fontId).contains(QStringLiteral("DejaVu Sans Mono")));
    const int id = font->fontId;
    cache.Clear();
    EXPECT_TRUE(QFontDatabase::applicationFontFamilies(id).isEmpty());

    // Not a font: no entry.
    WriteBytes(app.path() / "fonts" / "Broken.ttf", "not a font");
    EXPECT_EQ(cache.Get(ResourceType::FontFile, u"Broken.ttf"), nullptr);
}

TEST(ResourceCache, OpaquePicturesAreKeptPremultipliedAndTranslucentOnesAsTheyAre)
{
    TestAppDir app;
    QImage translucent(4, 2, QImage::Format_ARGB32);
    translucent.fill(qRgba(255, 0, 255, 255));
    translucent.setPixel(3, 1, qRgba(200, 100, 50, 128));
    translucent.save(QString::fromStdString((app.path() / "skins" / "translucent.png").string()));
    auto& cache = CResourceCache::Instance();
    const struct {
        const char16_t* name;
        QImage::Format format;
    } cases[] = {{u"normal.png", QImage::Format_ARGB32_Premultiplied},
                 {u"thumb.bmp", QImage::Format_ARGB32_Premultiplied},
                 {u"translucent.png", QImage::Format_ARGB32}};
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromStdU16String(c.name).toStdString());
        const QImage image = cache.Image(c.name);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.format(), c.format);
    }
    // Either way every pixel reads as it was saved.
    EXPECT_EQ(cache.Image(u"normal.png").pixel(5, 5), qRgb(45, 50, 60));
    EXPECT_EQ(cache.Image(u"translucent.png").pixel(3, 1), qRgba(200, 100, 50, 128));
    EXPECT_EQ(cache.Image(u"translucent.png").pixel(0, 0), qRgba(255, 0, 255, 255));
}

TEST(ResourceCache, AReleasedPictureIsReadAgainWhileCopiesKeepTheirPixels)
{
    TestAppDir app;
    auto& cache = CResourceCache::Instance();
    const QImage held = cache.Image(u"panel_mask.png");
    ASSERT_FALSE(held.isNull());
    ASSERT_NE(cache.Get(ResourceType::BinaryFile, u"clip.gif"), nullptr);
    const size_t before = cache.Count();
    // Only the picture goes; a file of another type of the same name would stay.
    cache.ReleaseImage(u"PANEL_MASK.png");
    EXPECT_EQ(cache.Count(), before - 1);
    cache.ReleaseImage(u"clip.gif");
    EXPECT_EQ(cache.Count(), before - 1);
    EXPECT_EQ(held.pixel(200, 10), qRgb(255, 255, 255));
    const QImage again = cache.Image(u"panel_mask.png");
    EXPECT_EQ(cache.Count(), before);
    EXPECT_NE(again.cacheKey(), held.cacheKey());
    EXPECT_EQ(again, held);
}
