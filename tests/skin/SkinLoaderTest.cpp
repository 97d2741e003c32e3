// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "RecordingFactories.h"
#include "SkinTestSupport.h"
#include "skin/ColorTable.h"
#include "skin/FontItem.h"
#include "skin/ItemIds.h"
#include "skin/LangTable.h"
#include "skin/LoadProgress.h"
#include "skin/PanelBitmap.h"
#include "skin/SkinDataItems.h"
#include "skin/SkinLoader.h"
#include "skin/keyboard/KeyboardDef.h"

using namespace skintest;

namespace {

class SkinLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearControlFactories();
        ResetLanguages();
        RecordAllElements();
    }
    void TearDown() override
    {
        ClearControlFactories();
        ResetLanguages();
    }

    std::vector<int> Ids() const
    {
        std::vector<int> ids;
        for (CGUIItem* item : items.Items())
            ids.push_back(item->id);
        return ids;
    }

    TestAppDir app;
    CGUIItems items;
    SkinLoadStats stats;
};

TEST_F(SkinLoaderTest, ItemsFollowTheSectionOrderAndTheElementOrderWithinASection)
{
    ASSERT_TRUE(LoadSkinFile(items, u"Order.xml", nullptr, false, &stats));
    // Fonts, then bitmaps (items before windows), then buttons (both buttons before
    // the clip button), then texts - whatever the order in the file.
    const std::vector<int> expected = {
        ItemId::FONT_ARIAL12,           ItemId::FONT_ARIAL14, ItemId::BITMAP_MOUSE_TOPVIEW,
        ItemId::BITMAP_BACKGROUND_RECT, ItemId::BUTTON_OK,    ItemId::BUTTON_CANCEL,
        ItemId::BUTTON_APPLY,           ItemId::BUTTON_KORU,  ItemId::TEXT_POLLINGRATE};
    EXPECT_EQ(Ids(), expected);
    EXPECT_EQ(items[7]->kind, ItemKind::AVIBUTTON);
    EXPECT_EQ(items[4]->kind, ItemKind::BUTTON);
    // The unnamed button and the one with an unknown name make nothing.
    EXPECT_EQ(stats.skippedUnknownName, 2);
    EXPECT_EQ(stats.itemsAdded, 9);
}

TEST_F(SkinLoaderTest, AttributesAreParsedByTheirFirstLetterAndColourNames)
{
    ASSERT_TRUE(LoadSkinFile(items, u"Order.xml", nullptr, false));
    const auto* ok = ParsedAs<ButtonElement>(items, ItemId::BUTTON_OK);
    const auto* cancel = ParsedAs<ButtonElement>(items, ItemId::BUTTON_CANCEL);
    const auto* apply = ParsedAs<ButtonElement>(items, ItemId::BUTTON_APPLY);
    ASSERT_TRUE(ok && cancel && apply);

    EXPECT_EQ(ok->text.justify, Justify::Centre);   // "Center"
    EXPECT_EQ(cancel->text.justify, Justify::Left); // lower-case "centre"
    EXPECT_EQ(apply->text.justify, Justify::Right); // "Right"
    EXPECT_TRUE(ok->isCheckBox);                    // "yes"
    EXPECT_FALSE(cancel->isCheckBox);               // "on"
    EXPECT_TRUE(apply->isCheckBox);                 // "1"

    // An unknown colour name is a colour of its own, not "keep the default".
    ASSERT_TRUE(ok->fontColor.has_value());
    EXPECT_EQ(*ok->fontColor, 0xFFFFFFFFu);
    EXPECT_FALSE(cancel->fontColor.has_value());
    EXPECT_EQ(ok->bitmaps.normalTextColor, 0xFFFFFFu); // fontclr on SBMN
    EXPECT_EQ(ok->bitmaps.overTextColor, 0u);          // absent: the control's default

    EXPECT_EQ(ok->rect, (SkinRect{1, 2, 41, 22}));
    EXPECT_TRUE(ok->bitmaps.normal.IsLoaded());
    EXPECT_EQ(ok->bitmaps.normal.image.size(), QSize(40, 20));
    EXPECT_FALSE(ok->bitmaps.mask.IsLoaded());
    ASSERT_NE(ok->text.font, nullptr);
    EXPECT_EQ(ok->text.font->id, ItemId::FONT_ARIAL12);

    const auto* text = ParsedAs<TextItemElement>(items, ItemId::TEXT_POLLINGRATE);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->textKey, u"$Polling");
    EXPECT_EQ(text->fontColor, std::optional<COLORREF>(0xFEFEFE));
    EXPECT_FALSE(text->interactive);

    const auto* avi = ParsedAs<AVIButtonElement>(items, ItemId::BUTTON_KORU);
    ASSERT_NE(avi, nullptr);
    EXPECT_EQ(avi->videoFile, u"clip.gif");
    EXPECT_EQ(avi->soundFile, u"click.wav");
    EXPECT_FALSE(avi->videoData.isEmpty());

    const auto* picture = ParsedAs<BitmapItemElement>(items, ItemId::BITMAP_MOUSE_TOPVIEW);
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->moveable);
    EXPECT_EQ(picture->tooltip.text, u"$Mouse");
}

TEST_F(SkinLoaderTest, FontsUseOnlyThePositiveNumbersOfTheirDescription)
{
    ASSERT_TRUE(LoadSkinFile(items, u"Order.xml", nullptr, false));
    auto* bold12 = items.FindAs<CFontItem>(ItemId::FONT_ARIAL12);
    auto* pitch0 = items.FindAs<CFontItem>(ItemId::FONT_ARIAL14);
    ASSERT_TRUE(bold12 && pitch0);
    EXPECT_EQ(bold12->kind, ItemKind::FONT);
    EXPECT_EQ(bold12->Font().pixelSize(), 12);
    EXPECT_EQ(bold12->Font().weight(), QFont::Bold);
    EXPECT_EQ(bold12->Font().family(), QStringLiteral("Arial"));
    // Pitch 0 keeps the system's default size.
    EXPECT_EQ(pitch0->Font().pixelSize(), QFont().pixelSize());
    EXPECT_EQ(pitch0->Font().pointSizeF(), QFont().pointSizeF());
}

TEST_F(SkinLoaderTest, ReferencesResolveOnlyToEarlierItemsOfTheRightKind)
{
    ASSERT_TRUE(LoadSkinFile(items, u"References.xml", nullptr, false));
    const auto* wrongKinds = ParsedAs<ButtonElement>(items, ItemId::BUTTON_RATE1);
    const auto* proper = ParsedAs<ButtonElement>(items, ItemId::BUTTON_RATE2);
    const auto* later = ParsedAs<ButtonElement>(items, ItemId::BUTTON_RATE3);
    ASSERT_TRUE(wrongKinds && proper && later);

    EXPECT_EQ(wrongKinds->text.font, nullptr);
    EXPECT_EQ(proper->text.font, items.FindById(ItemId::FONT_ARIAL16));
    // A second FONTLIST is not a section: its font is never read, so nothing resolves.
    EXPECT_EQ(later->text.font, nullptr);
    EXPECT_EQ(items.FindById(ItemId::FONT_ARIAL32B), nullptr);

    const auto* track = ParsedAs<VSliderElement>(items, ItemId::SLIDER_ID_ACCEL);
    const auto* multi = ParsedAs<HSliderMElement>(items, ItemId::SLIDER_DPI_MULTI);
    const auto* apm = ParsedAs<HSliderMAPMElement>(items, ItemId::SLIDER_ACCEL_STAGE1);
    ASSERT_TRUE(track && multi && apm);
    EXPECT_EQ(track->track, items.FindById(ItemId::BITMAP_SLACCLTRK));
    // A slider track is a bitmap item too.
    EXPECT_EQ(multi->track, items.FindById(ItemId::BITMAP_SLSENSTRK_X));
    EXPECT_EQ(apm->track, nullptr); // names a font
    ASSERT_EQ(multi->stages.size(), 2u);
    EXPECT_EQ(multi->stages[0].id, ItemId::SLIDER_DPI_MULTI_STAGE1);
    EXPECT_EQ(multi->stages[1].id, ItemId::SLIDER_DPI_MULTI_X_STAGE1);
    EXPECT_FALSE(multi->interactive);
    EXPECT_FALSE(multi->tooltip.enabled);
    EXPECT_EQ(multi->tooltip.side, TooltipSide::Top);
    EXPECT_TRUE(track->thumb.normal.IsLoaded()); // a Windows bitmap thumb

    const auto* linked = ParsedAs<TextItemElement>(items, ItemId::TEXT_SLCT_SHIFT);
    const auto* notABox = ParsedAs<TextItemElement>(items, ItemId::TEXT_SLCT_CTRL);
    ASSERT_TRUE(linked && notABox);
    EXPECT_EQ(linked->checkBox, items.FindById(ItemId::BUTTON_RATE2));
    EXPECT_EQ(notABox->checkBox, nullptr);

    const auto* fill = ParsedAs<SliderTrackElement>(items, ItemId::BITMAP_SLSENSTRK_X);
    ASSERT_TRUE(fill && fill->fill);
    EXPECT_EQ(fill->fill->fillColor, std::optional<COLORREF>(0xEDE86F));
    EXPECT_EQ(fill->fill->rect, (SkinRect{0, 0, 50, 10}));
}

TEST_F(SkinLoaderTest, FilesThatCannotBeReadFailAndAddNothing)
{
    for (const char16_t* name : {u"Malformed.xml", u"UnknownRoot.xml", u"PanelWithoutMask.xml", u"NoSuchFile.xml",
                                 u"BadKeyboard.xml", u"../xml/Order.xml", u"/etc/passwd"}) {
        SCOPED_TRACE(QString::fromStdU16String(name).toStdString());
        EXPECT_FALSE(LoadSkinFile(items, name, nullptr, false));
        EXPECT_TRUE(items.empty());
    }
    // A file far larger than any skin is refused before it is read.
    app.WriteXml("Huge.xml", "<ITEMLIST>");
    std::filesystem::resize_file(app.path() / "xml" / "Huge.xml", 17u * 1024 * 1024);
    EXPECT_FALSE(LoadSkinFile(items, u"Huge.xml", nullptr, false));
    // An empty document and a document that is not XML at all.
    EXPECT_FALSE(LoadSkinFromMemory(items, "", u"empty", nullptr, false));
    EXPECT_FALSE(LoadSkinFromMemory(items, "\xFF\xFE<", u"binary", nullptr, false));
    EXPECT_TRUE(items.empty());
}

TEST_F(SkinLoaderTest, PanelFilesStartWithTheirBackgroundAndMask)
{
    ASSERT_TRUE(LoadSkinFile(items, u"Panel.xml", nullptr, false));
    auto* background = dynamic_cast<CPanelBitmap*>(items[0]);
    auto* mask = dynamic_cast<CPanelBitmap*>(items[1]);
    ASSERT_TRUE(background && mask);
    EXPECT_EQ(background->id, kPanelBackgroundId);
    EXPECT_EQ(mask->id, kPanelMaskId);
    EXPECT_EQ(background->kind, ItemKind::PANELBITMAP);
    EXPECT_EQ(background->Image().size(), QSize(240, 160));
    EXPECT_EQ(background->window, nullptr);
    // The lower-case <sbmm> of the check box is still its mask.
    const auto* box = ParsedAs<ButtonElement>(items, ItemId::BUTTON_ENABLEXY);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->bitmaps.mask.IsLoaded());
}

TEST_F(SkinLoaderTest, ElementsWithoutAFactoryAreReportedAndSkipped)
{
    UnregisterControlFactory("BUTTON");
    ASSERT_TRUE(LoadSkinFile(items, u"Order.xml", nullptr, false, &stats));
    EXPECT_EQ(stats.missingFactory, 3);
    EXPECT_EQ(items.FindById(ItemId::BUTTON_OK), nullptr);
    EXPECT_NE(items.FindById(ItemId::BUTTON_KORU), nullptr);

    // A factory that throws or builds nothing costs only its own item.
    RegisterControlFactory("BUTTON",
                           [](const SkinElement& element, const ControlContext&) -> std::unique_ptr<CGUIItem> {
                               if (element.id == ItemId::BUTTON_OK)
                                   throw std::runtime_error("cannot build");
                               return nullptr;
                           });
    CGUIItems again;
    SkinLoadStats second;
    ASSERT_TRUE(LoadSkinFile(again, u"Order.xml", nullptr, false, &second));
    EXPECT_EQ(second.factoryDeclined, 3);
    EXPECT_NE(again.FindById(ItemId::TEXT_POLLINGRATE), nullptr);
}

class LanguageOverrideTest : public SkinLoaderTest {
protected:
    void LoadGerman()
    {
        SetLanguageFilter(-1);
        ASSERT_TRUE(LoadSkinFile(languages, u"Language.xml", nullptr, false));
        ASSERT_NE(SelectCurrentLanguage(u"German"), nullptr);
    }
    CGUIItems languages;
};

TEST_F(LanguageOverrideTest, LanguagesLoadAsItemsAndUnreadableOnesAreLeftOut)
{
    LoadGerman();
    auto* english = languages.FindAs<CLanguageTableItem>(ItemId::LANGUAGE_ENGLISH);
    auto* german = languages.FindAs<CLanguageTableItem>(ItemId::LANGUAGE_GERMAN);
    ASSERT_TRUE(english && german);
    EXPECT_EQ(german->kind, ItemKind::LANG);
    EXPECT_EQ(languages.FindById(ItemId::LANGUAGE_FRENCH), nullptr); // file missing
    EXPECT_EQ(CurrentLanguage(), &german->Table());
    EXPECT_EQ(TranslateText(u"$OK"), u"Gut");

    // Only the filtered language loads.
    CGUIItems filtered;
    ResetLanguages();
    SetLanguageFilter(ItemId::LANGUAGE_ENGLISH);
    ASSERT_TRUE(LoadSkinFile(filtered, u"Language.xml", nullptr, false));
    EXPECT_NE(filtered.FindById(ItemId::LANGUAGE_ENGLISH), nullptr);
    EXPECT_EQ(filtered.FindById(ItemId::LANGUAGE_GERMAN), nullptr);
}

TEST_F(LanguageOverrideTest, TheCurrentLanguageOverridesRectFontCapsAndBitmaps)
{
    LoadGerman();
    // The page file's own fonts come after the shared ones in this collection.
    ASSERT_TRUE(LoadSkinFile(languages, u"Order.xml", nullptr, false));
    const auto* ok = ParsedAs<ButtonElement>(languages, ItemId::BUTTON_OK);
    const auto* cancel = ParsedAs<ButtonElement>(languages, ItemId::BUTTON_CANCEL);
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(ok->rect, (SkinRect{5, 6, 85, 26}));
    EXPECT_EQ(ok->text.caps, CapsMode::Upper);
    EXPECT_EQ(ok->bitmaps.over.file, u"down.png");
    // FONT_ARIAL12 is replaced by FONT_ARIAL16 in German (the first such font item).
    ASSERT_NE(ok->text.font, nullptr);
    EXPECT_EQ(ok->text.font->id, ItemId::FONT_ARIAL16);
    ASSERT_NE(cancel->text.font, nullptr);
    EXPECT_EQ(cancel->text.font->id, ItemId::FONT_ARIAL16);
    // Items the language does not mention keep their own rectangle.
    EXPECT_EQ(cancel->rect, (SkinRect{100, 2, 140, 22}));
}

TEST_F(LanguageOverrideTest, PagesMayNameTheSharedFontsOfTheApplication)
{
    LoadGerman();
    app.WriteXml("Page.xml", R"(<ITEMLIST><BUTTONLIST>
        <BUTTON name="BUTTON_HELP" fontid="FONT_ARIAL16"/>
        <BUTTON name="BUTTON_EXIT" fontid="FONT_ARIAL12"/>
      </BUTTONLIST></ITEMLIST>)");
    CGUIItems page;
    ASSERT_TRUE(LoadSkinFile(page, u"Page.xml", nullptr, false));
    EXPECT_EQ(ParsedAs<ButtonElement>(page, ItemId::BUTTON_HELP)->text.font, nullptr);

    SetSharedSkinItems(&languages);
    CGUIItems shared;
    ASSERT_TRUE(LoadSkinFile(shared, u"Page.xml", nullptr, false));
    SetSharedSkinItems(nullptr);
    EXPECT_EQ(ParsedAs<ButtonElement>(shared, ItemId::BUTTON_HELP)->text.font,
              languages.FindById(ItemId::FONT_ARIAL16));
    // The German replacement applies to shared fonts too.
    EXPECT_EQ(ParsedAs<ButtonElement>(shared, ItemId::BUTTON_EXIT)->text.font,
              languages.FindById(ItemId::FONT_ARIAL16));
}

TEST_F(SkinLoaderTest, LoadProgressReachesListenersOfObservableLoadsOnly)
{
    std::vector<std::u16string> names;
    // Read the file name while the message is being handled: it lives only that long.
    struct NameGrabber : RecordingWindow {
        std::vector<std::u16string>* names = nullptr;
        LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
        {
            if (msg == WM_DEVICE_PROGRESS_TEXT)
                names->push_back(reinterpret_cast<const char16_t*>(lParam));
            return RecordingWindow::WindowProc(msg, wParam, lParam);
        }
    } grabber;
    grabber.names = &names;
    SetLoadPublishedCallback([&](CLoadProgressNotifier& notifier) {
        EXPECT_EQ(PublishedLoadNotifier(), &notifier);
        notifier.AddListener(&grabber);
    });

    ASSERT_TRUE(LoadSkinFile(items, u"Order.xml", nullptr, true));
    EXPECT_EQ(PublishedLoadNotifier(), nullptr);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], u"Order.xml");
    std::vector<LPARAM> percents;
    for (const auto& message : grabber.Of(WM_DEVICE_PROGRESS))
        percents.push_back(message.lParam);
    std::vector<LPARAM> expected;
    for (int k = 0; k < 15; ++k)
        expected.push_back(6 * k);
    expected.push_back(100);
    EXPECT_EQ(percents, expected);
    EXPECT_EQ(grabber.messages.front().msg, WM_DEVICE_PROGRESS_TEXT);

    grabber.messages.clear();
    CGUIItems quiet;
    ASSERT_TRUE(LoadSkinFile(quiet, u"Order.xml", nullptr, false));
    EXPECT_TRUE(grabber.messages.empty());
    SetLoadPublishedCallback({});
}

} // namespace

namespace {

// A key file with one key: the name as UTF-16, two codes, then four blocks of ten
// (code, flag, unused) entries.
std::string OneKeyFile(const std::u16string& name, int16_t scanCode)
{
    std::string bytes;
    auto put32 = [&bytes](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto put16 = [&bytes](uint16_t v) {
        bytes.push_back(static_cast<char>(v & 0xFF));
        bytes.push_back(static_cast<char>(v >> 8));
    };
    put32(1);
    put32(static_cast<uint32_t>(name.size() * 2));
    for (char16_t c : name)
        put16(c);
    put16(0xFFFF);
    put16(0xFFFF);
    for (int block = 0; block < 4; ++block)
        for (int entry = 0; entry < 10; ++entry) {
            put16(block == 0 && entry == 0 ? static_cast<uint16_t>(scanCode) : 0);
            bytes.push_back(0);
            bytes.push_back(0);
        }
    return bytes;
}

TEST_F(SkinLoaderTest, KeyboardFilesReadTheirDefinitionOnceAndThenTheirSections)
{
    WriteBytes(app.path() / "bin" / "keys.bin", OneKeyFile(u"a A", 0x1E));
    app.WriteXml("Keyboard.xml", R"(<KEYBOARD>
        <KEYBOARDDEF name="KBDDEF_WINDOWS" file="keys.bin"/>
        <FONTLIST><FONT name="FONT_ARIAL10" pitch="10"/></FONTLIST>
      </KEYBOARD>)");
    ASSERT_TRUE(LoadSkinFile(items, u"Keyboard.xml", nullptr, false));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->kind, ItemKind::KEYBOARDDEF);
    EXPECT_EQ(items[0]->id, ItemId::KBDDEF_WINDOWS);
    EXPECT_EQ(items[1]->id, ItemId::FONT_ARIAL10);
    auto* definition = dynamic_cast<CKeyboardDefItem*>(items[0]);
    ASSERT_NE(definition, nullptr);
    EXPECT_TRUE(definition->Definition().IsLoaded());

    // A keyboard definition whose name is unknown fails the file.
    app.WriteXml("Nameless.xml", R"(<KEYBOARD><KEYBOARDDEF name="KBDDEF_MAC" file="keys.bin"/></KEYBOARD>)");
    CGUIItems nameless;
    EXPECT_FALSE(LoadSkinFile(nameless, u"Nameless.xml", nullptr, false));
    EXPECT_TRUE(nameless.empty());
}

} // namespace
