// SPDX-License-Identifier: GPL-3.0-or-later
// A skin holding every element of the slider, stage, macro, list, edit, drop-down and
// progress families loads through the skin loader into live controls that paint.
#include "SliderTestSupport.h"

#include "controls/APMSlider.h"
#include "controls/DMarker.h"
#include "controls/DPIStageWindow.h"
#include "controls/DropdownColorButton.h"
#include "controls/DropdownListItem.h"
#include "controls/EditItem.h"
#include "controls/ListFactories.h"
#include "controls/ListPanelItem.h"
#include "controls/MacroDisplayItem.h"
#include "controls/ProgressPanelItem.h"
#include "controls/SliderFactories.h"
#include "controls/SliderHMulti.h"
#include "controls/SliderTrack.h"
#include "controls/StageWindowFactories.h"
#include "controls/VertSlider.h"
#include "controls/XListCtrl.h"
#include "skin/AppPaths.h"
#include "skin/ControlRegistry.h"
#include "skin/ItemIds.h"
#include "skin/LangTable.h"
#include "skin/SkinLoader.h"
#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

constexpr const char* kSkin = R"(<?xml version="1.0"?>
<ITEMLIST>
  <BITMAPLIST>
    <SLIDERTRACK name="BITMAP_SLSENSTRK_XY">
      <RECT left="10" top="10" right="310" bottom="40"/>
      <SBMN>h5_track.png</SBMN>
      <FILLINFO fillclr="NEON_TAB_SELECT"><RECT left="20" top="22" right="300" bottom="28"/></FILLINFO>
    </SLIDERTRACK>
    <SLIDERTRACK name="BITMAP_VERTICALBARLONG">
      <RECT left="330" top="10" right="350" bottom="210"/>
      <SBMN>h5_vtrack.png</SBMN>
    </SLIDERTRACK>
  </BITMAPLIST>
  <SLIDERLIST>
    <VSLIDER name="SLIDER_POWER_SLEEPTOIDLE" trackid="BITMAP_VERTICALBARLONG" ttprefix="$Sleep" ttpos="R">
      <RECT left="5" top="10" right="15" bottom="190"/>
      <SBMN>h5_thumb.bmp</SBMN>
    </VSLIDER>
    <HSLIDERM name="SLIDER_DPI_MULTI" trackid="BITMAP_SLSENSTRK_XY" ttprefix="DPI " interactive="0">
      <RECT left="15" top="10" right="285" bottom="20"/>
      <STAGES><STAGE>SLIDER_DPI_MULTI_STAGE1</STAGE><STAGE>SLIDER_DPI_MULTI_X_STAGE1</STAGE></STAGES>
      <SBMN>h5_thumb.bmp</SBMN>
      <SBMO>h5_thumb.bmp</SBMO>
    </HSLIDERM>
    <HSLIDERMAPM name="SLIDER_LED_BRIGHTNESS" tooltip="$Brightness">
      <RECT left="10" top="220" right="310" bottom="240"/>
      <SBMN>h5_thumb.bmp</SBMN>
    </HSLIDERMAPM>
    <DMARKER name="BITMAP_BUTTONNUMSTRIP">
      <RECT left="10" top="250" right="110" bottom="260"/>
      <SBMN>h5_track.png</SBMN>
      <MARK>h5_vtrack.png</MARK>
    </DMARKER>
  </SLIDERLIST>
  <DPISTAGELIST>
    <DPISTAGEWINDOW name="DPISTAGEWINDOW_01">
      <RECT left="360" top="10" right="450" bottom="120"/>
      <BMPINFO name="DPIFRAME"><BMPDATA>h5_track.png</BMPDATA><RECT left="0" top="0" right="90" bottom="110"/></BMPINFO>
      <TEXTAREA name="HEADING" textkey="$Stage1"><RECT left="0" top="0" right="90" bottom="20"/></TEXTAREA>
    </DPISTAGEWINDOW>
  </DPISTAGELIST>
  <MACRODISPLAYLIST>
    <MACRODISPLAY name="MACRO_DISPLAY" max="50" bdrwidth="1">
      <RECT left="360" top="130" right="560" bottom="230"/>
      <LISTCOLUMN name="LCITEM_MCREVENT_ICON" type="ICON" width="20"/>
      <LISTCOLUMN name="LCITEM_MCREVENT_DESCRIP" type="STATIC" width="170"/>
    </MACRODISPLAY>
  </MACRODISPLAYLIST>
  <LISTLIST>
    <LISTCTRL name="LIST_PROFILELIST" fontclr="WHITE">
      <RECT left="10" top="270" right="310" bottom="370"/>
      <LISTCOLUMN name="LCITEM_PROFILENAME" type="EDIT" width="200">$Name</LISTCOLUMN>
      <LISTCOLUMN name="LCITEM_AUTOSWITCH" type="CHECKBOX" width="60" exclusive="1">$Auto</LISTCOLUMN>
    </LISTCTRL>
    <COMBO name="LIST_ZEMKO_MOUSEMAT_LIST" bdrwidth="1">
      <RECT left="360" top="240" right="520" bottom="262"/>
      <COMBOITEMS><COMBOITEM>Soft</COMBOITEM><COMBOITEM>Hard</COMBOITEM></COMBOITEMS>
    </COMBO>
    <COMBOCOLOR name="DROPDOWN_MOUSE_COLOR" bdrwidth="1">
      <RECT left="360" top="270" right="440" bottom="292"/>
    </COMBOCOLOR>
  </LISTLIST>
  <LISTPANELLIST>
    <LISTPANEL name="LISTPANEL_PROFILEOPTIONS" dynamic="0" sorted="1">
      <RECT left="360" top="300" right="480" bottom="360"/>
      <LISTPANELITEMS><LISTPANELITEM>Rename</LISTPANELITEM><LISTPANELITEM>Copy</LISTPANELITEM></LISTPANELITEMS>
    </LISTPANEL>
  </LISTPANELLIST>
  <EDITCTRLLIST>
    <EDITCTRL name="EDITCTRL_POPUP_NAMEENTRY" bdrwidth="2" max="8">
      <RECT left="10" top="380" right="210" bottom="400"/>
    </EDITCTRL>
  </EDITCTRLLIST>
  <PROGRESSPANELLIST>
    <PROGRESSPANELITEM name="PROG_PANEL_ITEM_POPUP" bdrwidth="1">
      <RECT left="360" top="370" right="560" bottom="430"/>
      <FILLINFO fillclr="GREEN"><RECT left="10" top="35" right="190" bottom="50"/></FILLINFO>
      <TEXTINFOLIST><TEXTINFO name="TEXT_PROGRESS_MESSAGE" textkey="$Reading"><RECT left="0" top="5" right="200" bottom="25"/></TEXTINFO></TEXTINFOLIST>
    </PROGRESSPANELITEM>
  </PROGRESSPANELLIST>
</ITEMLIST>
)";

class SliderSkinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString skins = QString::fromStdString((dir / "skins").string());
        QDir().mkpath(skins);
        SolidImage(300, 30, QColor(43, 43, 43)).save(skins + QStringLiteral("/h5_track.png"));
        SolidImage(20, 200, QColor(9, 73, 85)).save(skins + QStringLiteral("/h5_vtrack.png"));
        ThumbImage(10, 10, Qt::cyan).save(skins + QStringLiteral("/h5_thumb.bmp"), "BMP");
        previousAppDir = GetAppDirectory();
        SetAppDirectory(QString::fromStdString(dir.path().string()).toStdU16String());
        ClearControlFactories();
        ResetLanguages();
        RegisterSliderControlFactories();
        RegisterStageAndMacroControlFactories();
        RegisterListControlFactories();
        owner.resize(600, 450);
    }
    void TearDown() override
    {
        items.Clear();
        ClearControlFactories();
        SetAppDirectory(previousAppDir);
    }
    TempDir dir;
    std::u16string previousAppDir;
    RecordingWindow owner;
    CGUIItems items;
};

} // namespace

TEST_F(SliderSkinTest, EveryElementBecomesItsControl)
{
    SkinLoadStats stats;
    ASSERT_TRUE(LoadSkinFromMemory(items, kSkin, u"h5.xml", &owner, false, &stats));
    EXPECT_EQ(stats.missingFactory, 0);
    EXPECT_EQ(stats.factoryDeclined, 0);

    auto* track = dynamic_cast<CSliderTrack*>(items.FindById(ItemId::BITMAP_SLSENSTRK_XY));
    auto* multi = dynamic_cast<CSliderHMulti*>(items.FindById(LookupItemId(std::string_view("SLIDER_DPI_MULTI"))));
    auto* vertical =
        dynamic_cast<CVertSlider*>(items.FindById(LookupItemId(std::string_view("SLIDER_POWER_SLEEPTOIDLE"))));
    auto* apm = dynamic_cast<CAPMSlider*>(items.FindById(ItemId::SLIDER_LED_BRIGHTNESS));
    auto* marker = dynamic_cast<CDMarker*>(items.FindById(ItemId::BITMAP_BUTTONNUMSTRIP));
    auto* stage = dynamic_cast<CDPIStageWindow*>(items.FindById(LookupItemId(std::string_view("DPISTAGEWINDOW_01"))));
    auto* macro = dynamic_cast<CMacroDisplayItem*>(items.FindById(ItemId::MACRO_DISPLAY));
    auto* list = dynamic_cast<CXListCtrl*>(items.FindById(LookupItemId(std::string_view("LIST_PROFILELIST"))));
    auto* combo = dynamic_cast<CDropdownListItem*>(items.FindById(ItemId::LIST_ZEMKO_MOUSEMAT_LIST));
    auto* colour = dynamic_cast<CDropdownColorButton*>(items.FindById(ItemId::DROPDOWN_MOUSE_COLOR));
    auto* panel =
        dynamic_cast<CListPanelItem*>(items.FindById(LookupItemId(std::string_view("LISTPANEL_PROFILEOPTIONS"))));
    auto* edit = dynamic_cast<CEditItem*>(items.FindById(ItemId::EDITCTRL_POPUP_NAMEENTRY));
    auto* progress = dynamic_cast<CProgressPanelItem*>(items.FindById(ItemId::PROG_PANEL_ITEM_POPUP));
    ASSERT_TRUE(track && multi && vertical && apm && marker && stage && macro && list && combo && colour && panel &&
                edit && progress);

    // Thumbs sit on their tracks with the stage ids, disabled as the skin asks.
    ASSERT_EQ(multi->ThumbCount(), 2u);
    EXPECT_EQ(multi->Thumb(0)->id, ItemId::SLIDER_DPI_MULTI_STAGE1);
    EXPECT_EQ(multi->Thumb(0)->parentWidget(), track);
    EXPECT_EQ(multi->Thumb(0)->size(), QSize(10, 10));
    EXPECT_FALSE(multi->Thumb(1)->IsSliderEnabled());
    EXPECT_EQ(track->DrivenThumb(), multi->Thumb(0));
    // The fill keeps its skin rectangle except for the right edge, which follows the thumb.
    EXPECT_EQ(track->FillRect().top(), 22);
    EXPECT_EQ(track->FillRect().bottom(), 27);
    EXPECT_EQ(track->FillRect().right() + 1, multi->Thumb(0)->x());
    EXPECT_EQ(vertical->GetTooltipSide(), TooltipSide::Right);
    EXPECT_EQ(vertical->TooltipText(), QStringLiteral("$Sleep1"));

    EXPECT_EQ(stage->AreaText(u"HEADING"), QStringLiteral("$Stage1"));
    EXPECT_EQ(combo->EntryCount(), 2);
    EXPECT_EQ(list->ColumnCount(), 2);
    EXPECT_TRUE(list->ColumnAt(1).exclusive);
    EXPECT_EQ(list->ColumnAt(0).header, QStringLiteral("$Name"));
    ASSERT_NE(panel->EmbeddedList(), nullptr);
    EXPECT_EQ(panel->EntryAt(0).text, QStringLiteral("Copy"));
    EXPECT_EQ(progress->LineText(0), QStringLiteral("$Reading"));

    // Filled with a little content, the whole window paints.
    multi->SetRange(100, 6400, 100.0f);
    multi->Thumb(0)->SetValue(1600);
    multi->Thumb(1)->SetValue(4800);
    vertical->SetValue(20);
    for (int i = 0; i < 3; ++i)
        apm->AddTicker(1);
    apm->SetDefaultStages();
    marker->SetValue(6);
    stage->SetValues(1600, 0, 0);
    stage->SetStageIndex(1);
    macro->AddEvent(MacroDisplayEvent{MacroDisplayEventKind::Key, u"A", true});
    macro->AddEvent(MacroDisplayEvent{MacroDisplayEventKind::Delay, {}, false, 0.05});
    list->AddRow(1, QStringLiteral("Default"));
    list->SetCellChecked(0, 1, true);
    combo->SetSelected(0);
    colour->SetColour(RGB(0, 174, 253));
    edit->SetText(QStringLiteral("Profile"));
    progress->SetPercent(40);
    owner.show();
    // Only the first thumb drives the fill.
    EXPECT_EQ(track->FillRect().right() + 1, multi->Thumb(0)->x());
    const QImage shot = owner.grab().toImage();
    shot.save(QDir::currentPath() + QStringLiteral("/slider_family_skin.png"));
    EXPECT_EQ(shot.pixelColor(track->x() + 30, track->y() + 2), QColor(43, 43, 43));
}
