// SPDX-License-Identifier: GPL-3.0-or-later
#include "SliderTestSupport.h"

#include "controls/PHSlider.h"
#include "controls/SliderHMulti.h"
#include "controls/SliderTooltip.h"
#include "controls/SliderTrack.h"
#include "controls/VertSlider.h"
#include "skin/LangTable.h"
#include "skin/SkinElements.h"

#include <QDir>
#include <bit>
#include <gtest/gtest.h>

namespace {

constexpr int kThumbId = 256;
constexpr int kTrackId = 104;

// A 200x20 track whose thumb centres may lie between x 10 and 190: with range 1 to
// 10 that is 20 pixels per step, and the thumb's left edge runs from 5 to 185.
struct HorizontalRig {
    RecordingWindow owner;
    CSliderTrack track{kTrackId, &owner, &owner, SkinRect{0, 0, 200, 20}};
    CPHSlider thumb{kThumbId, &owner, ItemKind::THUMB};

    HorizontalRig()
    {
        track.SetBitmaps(SolidImage(200, 20, Qt::darkGray), QImage(), QImage());
        track.SetFill(QRect(0, 8, 200, 4), RGB(0, 200, 255));
        track.show();
        thumb.SetRange(1, 10, 1.0f, false);
        thumb.Create(ThumbImage(10, 10, Qt::cyan), ThumbImage(10, 10, Qt::white), &track, SkinRect{10, 5, 190, 15});
        track.AttachThumb(&thumb);
    }
};

struct VerticalRig {
    RecordingWindow owner;
    CSliderTrack track{kTrackId, &owner, &owner, SkinRect{0, 0, 20, 200}};
    CVertSlider thumb{kThumbId, &owner};

    VerticalRig()
    {
        track.SetFill(QRect(8, 0, 4, 200), RGB(0, 200, 255));
        track.show();
        thumb.SetRange(1, 10, 1.0f, false);
        thumb.Create(ThumbImage(10, 10, Qt::cyan), QImage(), &track, SkinRect{5, 10, 15, 190});
        track.AttachThumb(&thumb);
    }
};

} // namespace

TEST(SliderScale, PositionsAndValuesRoundHalfUp)
{
    SliderScale dpi{1, 32, 1.0f};
    EXPECT_EQ(dpi.MaxPosition(), 31u);
    EXPECT_EQ(dpi.PositionOfValue(32), 31u);
    EXPECT_EQ(dpi.PositionOfValue(99), 31u);
    EXPECT_EQ(dpi.PositionOfValue(-7), 0u);
    EXPECT_EQ(dpi.ValueOfPosition(31), 32);

    SliderScale hundreds{100, 6400, 100.0f};
    EXPECT_EQ(hundreds.MaxPosition(), 63u);
    EXPECT_EQ(hundreds.PositionOfValue(150), 1u);
    EXPECT_EQ(hundreds.ValueOfPosition(1), 200);
    EXPECT_EQ(hundreds.PositionOfValue(149), 0u);
    EXPECT_EQ(RoundHalfUp(-0.5), 0);
    EXPECT_EQ(RoundHalfUp(2.5), 3);

    // Steps that are not positive or exceed max fall back to 1.
    EXPECT_EQ(SliderScale::SaneStep(0.0f, 32), 1.0f);
    EXPECT_EQ(SliderScale::SaneStep(-2.0f, 32), 1.0f);
    EXPECT_EQ(SliderScale::SaneStep(33.0f, 32), 1.0f);
    EXPECT_EQ(SliderScale::SaneStep(0.5f, 32), 0.5f);

    // Below a step of 1 the message carries the float's bit pattern.
    SliderScale halves{1, 5, 0.5f};
    EXPECT_EQ(halves.MaxPosition(), 8u);
    EXPECT_EQ(halves.MessageValue(3), WPARAM(std::bit_cast<uint32_t>(2.5f)));
    EXPECT_EQ(FloatFromMessageValue(halves.MessageValue(3)), 2.5f);
    EXPECT_EQ(hundreds.MessageValue(2), WPARAM(300));
    // Empty or reversed ranges have the single position 0.
    EXPECT_EQ((SliderScale{5, 5, 1.0f}.MaxPosition()), 0u);
    EXPECT_EQ((SliderScale{9, 2, 1.0f}.MaxPosition()), 0u);
}

TEST(HorizontalSlider, SetValuePlacesTheThumbAndTheFill)
{
    HorizontalRig rig;
    rig.thumb.SetValue(4);
    EXPECT_EQ(rig.thumb.GetPosition(), 3u);
    EXPECT_EQ(rig.thumb.x(), 65);
    EXPECT_EQ(rig.thumb.y(), 5);
    EXPECT_EQ(rig.track.FillRect().right() + 1, 65);
    rig.thumb.SetValue(1000);
    EXPECT_EQ(rig.thumb.GetValue(), 10);
    EXPECT_EQ(rig.thumb.x(), 185);
    // A new range moves the thumb even when its position number stays.
    rig.thumb.SetValue(2);
    rig.thumb.SetRange(1, 4, 1.0f, true);
    EXPECT_EQ(rig.thumb.GetPosition(), 1u);
    EXPECT_EQ(rig.thumb.x(), 5 + 60);
}

TEST(HorizontalSlider, DragSnapsHalfwayToTheHigherPositionAndReportsOnRelease)
{
    HorizontalRig rig;
    rig.thumb.SetValue(1);
    // Halfway between position 3 (left edge 65) and 4 (85): pointer at 75 + half a thumb.
    DragInParent(&rig.thumb, QPoint(5, 5), QPoint(80, 10), false);
    EXPECT_TRUE(rig.thumb.IsDragging());
    EXPECT_EQ(rig.thumb.x(), 75);
    EXPECT_EQ(rig.thumb.GetValue(), 5);
    DeliverPosted();
    auto changing = rig.owner.Of(WM_SLIDER_CHANGING);
    ASSERT_EQ(changing.size(), 1u);
    EXPECT_EQ(changing[0].wParam, WPARAM(5));
    EXPECT_EQ(changing[0].lParam, LPARAM(kThumbId));
    EXPECT_TRUE(rig.owner.Of(WM_SLIDER_RELEASED).empty());
    // While dragging the track shows the value next to the thumb.
    EXPECT_TRUE(rig.track.IsTooltipShown());

    SendMouse(&rig.thumb, QEvent::MouseButtonRelease, rig.thumb.mapFromParent(QPoint(80, 10)), Qt::LeftButton,
              Qt::NoButton);
    DeliverPosted();
    auto released = rig.owner.Of(WM_SLIDER_RELEASED);
    ASSERT_EQ(released.size(), 1u);
    EXPECT_EQ(released[0].wParam, WPARAM(5));
    EXPECT_FALSE(rig.thumb.IsDragging());
    EXPECT_FALSE(rig.track.IsTooltipShown());
    EXPECT_EQ(rig.thumb.x(), 85);
}

TEST(HorizontalSlider, DragBeyondTheEndsClampsAndUnchangedPositionsStayQuiet)
{
    HorizontalRig rig;
    rig.thumb.SetValue(10);
    DragInParent(&rig.thumb, QPoint(5, 5), QPoint(500, 10));
    DeliverPosted();
    EXPECT_EQ(rig.thumb.x(), 185);
    EXPECT_TRUE(rig.owner.Of(WM_SLIDER_CHANGING).empty());
    ASSERT_EQ(rig.owner.Of(WM_SLIDER_RELEASED).size(), 1u);
    EXPECT_EQ(rig.owner.Of(WM_SLIDER_RELEASED)[0].wParam, WPARAM(10));

    rig.owner.messages.clear();
    DragInParent(&rig.thumb, QPoint(5, 5), QPoint(-300, 10));
    DeliverPosted();
    EXPECT_EQ(rig.thumb.GetValue(), 1);
    EXPECT_EQ(rig.thumb.x(), 5);
}

TEST(HorizontalSlider, HalfStepsCarryFloatBitsAndShowOneDecimal)
{
    ResetLanguages();
    CLangTable english(0);
    english.AddPair(u"DPI", u"Sensitivity ");
    SetCurrentLanguage(&english);
    HorizontalRig rig;
    rig.thumb.SetRange(1, 5, 0.5f, true); // 8 steps of 22.5 pixels
    rig.thumb.SetTooltipPrefix(u"$DPI");
    rig.thumb.SetValue(2.5f);
    EXPECT_EQ(rig.thumb.TooltipText(), QStringLiteral("Sensitivity 2.5"));

    // Position 4 (3.0) lies at left edge 5 + 90.
    DragInParent(&rig.thumb, QPoint(5, 5), QPoint(100, 10), false);
    DeliverPosted();
    auto changing = rig.owner.Of(WM_SLIDER_CHANGING);
    ASSERT_EQ(changing.size(), 1u);
    EXPECT_EQ(FloatFromMessageValue(changing[0].wParam), 3.0f);
    EXPECT_EQ(rig.thumb.TooltipText(), QStringLiteral("Sensitivity 3.0"));
    SendMouse(&rig.thumb, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
    ResetLanguages();
}

TEST(HorizontalSlider, RangeWithOnePositionNeitherDividesByZeroNorMoves)
{
    HorizontalRig rig;
    rig.thumb.SetRange(7, 7, 1.0f, true);
    EXPECT_EQ(rig.thumb.GetMaxPosition(), 0u);
    EXPECT_EQ(rig.thumb.x(), 5);
    DragInParent(&rig.thumb, QPoint(5, 5), QPoint(150, 10));
    DeliverPosted();
    EXPECT_EQ(rig.thumb.GetValue(), 7);
    EXPECT_EQ(rig.thumb.x(), 5);
}

TEST(SliderTrack, ClickJumpsAnEnabledThumbAndAlwaysReportsTheClick)
{
    HorizontalRig rig;
    QTest::mouseClick(&rig.track, Qt::LeftButton, {}, QPoint(130, 3));
    DeliverPosted();
    // Thumb left edge 125 = position 6, value 7.
    EXPECT_EQ(rig.thumb.GetValue(), 7);
    auto clicked = rig.owner.Of(WM_SLIDER_TRACK_CLICKED);
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0].wParam, WPARAM(kTrackId));
    EXPECT_EQ(LOWORD(WPARAM(clicked[0].lParam)), 130);
    EXPECT_EQ(HIWORD(WPARAM(clicked[0].lParam)), 3);
    ASSERT_EQ(rig.owner.Of(WM_SLIDER_RELEASED).size(), 1u);
    EXPECT_EQ(rig.owner.Of(WM_SLIDER_RELEASED)[0].wParam, WPARAM(7));

    rig.owner.messages.clear();
    rig.thumb.Enable(false);
    QTest::mouseClick(&rig.track, Qt::LeftButton, {}, QPoint(20, 3));
    DragInParent(&rig.thumb, QPoint(5, 5), QPoint(20, 10));
    DeliverPosted();
    EXPECT_EQ(rig.thumb.GetValue(), 7);
    EXPECT_EQ(rig.owner.Of(WM_SLIDER_TRACK_CLICKED).size(), 1u);
    EXPECT_TRUE(rig.owner.Of(WM_SLIDER_RELEASED).empty());
    EXPECT_TRUE(rig.owner.Of(WM_SLIDER_CHANGING).empty());
}

TEST(VerticalSlider, ValueGrowsUpwardsAndHalfwayDragsTruncateDown)
{
    VerticalRig rig;
    rig.thumb.SetValue(4);
    EXPECT_EQ(rig.thumb.y(), 185 - 60);
    EXPECT_EQ(rig.thumb.x(), 5);
    // The fill below the thumb starts at its lower edge.
    EXPECT_EQ(rig.track.FillRect().top(), 185 - 60 + 10);

    // Halfway between position 3 (y 125) and 4 (y 105).
    DragInParent(&rig.thumb, QPoint(5, 5), QPoint(10, 120));
    DeliverPosted();
    EXPECT_EQ(rig.thumb.GetValue(), 4);
    EXPECT_EQ(rig.thumb.y(), 125);
    ASSERT_EQ(rig.owner.Of(WM_SLIDER_RELEASED).size(), 1u);
    EXPECT_EQ(rig.owner.Of(WM_SLIDER_RELEASED)[0].wParam, WPARAM(4));

    DragInParent(&rig.thumb, QPoint(5, 5), QPoint(10, -50));
    EXPECT_EQ(rig.thumb.GetValue(), 10);
    EXPECT_EQ(rig.thumb.y(), 5);
}

TEST(MultiSlider, ThumbsShareTheRangeAndReportWithTheirOwnIds)
{
    RecordingWindow owner;
    CSliderTrack track(kTrackId, &owner, &owner, SkinRect{0, 0, 200, 20});
    track.show();
    const std::vector<SliderStage> stages{{u"SLIDER_DPI_MULTI_STAGE1", 256}, {u"SLIDER_X", 300}, {u"SLIDER_Y", 301}};
    CSliderHMulti multi(255, &owner, &track, SkinRect{10, 5, 190, 15}, stages, ThumbImage(10, 10, Qt::cyan),
                        ThumbImage(10, 10, Qt::white));
    ASSERT_EQ(multi.ThumbCount(), 3u);
    EXPECT_EQ(multi.kind, ItemKind::HSLIDERM);
    EXPECT_EQ(multi.window, &track);
    EXPECT_EQ(multi.Thumb(1)->id, 300);
    EXPECT_EQ(multi.Thumb(1)->kind, ItemKind::THUMB);
    EXPECT_EQ(multi.Thumb(0)->GetMaxPosition(), 31u);
    EXPECT_EQ(multi.Thumb(3), nullptr);

    multi.SetRange(100, 6400, 100.0f);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(multi.Thumb(i)->GetMaxPosition(), 63u);
    multi.Thumb(2)->SetValue(3200);
    EXPECT_EQ(multi.Thumb(2)->GetValue(), 3200);
    EXPECT_EQ(multi.Thumb(0)->GetValue(), 100);

    CPHSlider* second = multi.Thumb(1);
    DragInParent(second, QPoint(5, 5), QPoint(second->x() + 5 + 30, 10));
    DeliverPosted();
    auto released = owner.Of(WM_SLIDER_RELEASED);
    ASSERT_EQ(released.size(), 1u);
    EXPECT_EQ(released[0].lParam, LPARAM(300));
    EXPECT_EQ(released[0].wParam, WPARAM(second->GetValue()));
    EXPECT_GT(second->GetValue(), 100);

    owner.messages.clear();
    multi.Enable(false);
    DragInParent(multi.Thumb(2), QPoint(5, 5), QPoint(20, 10));
    DeliverPosted();
    EXPECT_TRUE(owner.messages.empty());
    EXPECT_EQ(multi.Thumb(2)->GetValue(), 3200);
}

TEST(MultiSlider, SurvivesItsTrackBeingDestroyedFirst)
{
    RecordingWindow owner;
    auto* track = new CSliderTrack(kTrackId, &owner, &owner, SkinRect{0, 0, 200, 20});
    const std::vector<SliderStage> stages{{u"A", 256}, {u"B", 257}};
    CSliderHMulti multi(255, &owner, track, SkinRect{10, 5, 190, 15}, stages, ThumbImage(10, 10, Qt::cyan), QImage());
    delete track;
    EXPECT_EQ(multi.Thumb(0), nullptr);
    multi.SetRange(1, 5, 1.0f);
    multi.Enable(true);
}

TEST(SliderTrack, PaintsTheFillUpToTheThumb)
{
    HorizontalRig rig;
    rig.thumb.SetValue(6); // left edge 105
    const QImage shot = rig.track.grab().toImage();
    shot.save(QDir::currentPath() + QStringLiteral("/slider_track.png"));
    EXPECT_EQ(shot.pixelColor(50, 9), QColor(0, 200, 255));
    EXPECT_EQ(shot.pixelColor(104, 9), QColor(0, 200, 255));
    EXPECT_EQ(shot.pixelColor(150, 9), QColor(Qt::darkGray));
    EXPECT_EQ(shot.pixelColor(50, 2), QColor(Qt::darkGray));
    // The thumb's shape leaves out the colour of its top-left pixel.
    EXPECT_EQ(shot.pixelColor(110, 10), QColor(Qt::cyan));
    EXPECT_EQ(shot.pixelColor(105, 5), QColor(Qt::darkGray));

    rig.track.SetDisabled(true);
    rig.track.SetBitmaps(SolidImage(200, 20, Qt::darkGray), SolidImage(200, 20, Qt::darkRed), QImage());
    EXPECT_EQ(rig.track.grab().toImage().pixelColor(150, 2), QColor(Qt::darkRed));
}

TEST(SliderTooltip, PlacementBySide)
{
    const QPoint thumb(100, 50);
    const QSize tip(40, 20);
    EXPECT_EQ(CSliderTooltip::Placement(thumb, tip, TooltipSide::Left), QPoint(60, 40));
    EXPECT_EQ(CSliderTooltip::Placement(thumb, tip, TooltipSide::Right), QPoint(100, 40));
    EXPECT_EQ(CSliderTooltip::Placement(thumb, tip, TooltipSide::Top), QPoint(80, 30));
    EXPECT_EQ(CSliderTooltip::Placement(thumb, tip, TooltipSide::Bottom), QPoint(80, 50));
}

TEST(SliderTooltip, HoverShowsTheValueUnlessDisabledAndTextsStayShort)
{
    HorizontalRig rig;
    rig.thumb.SetValue(3);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(rig.thumb.mapToGlobal(QPoint(2, 2))));
    QApplication::sendEvent(&rig.thumb, &enter);
    EXPECT_TRUE(rig.thumb.IsHover());
    EXPECT_TRUE(rig.track.IsTooltipShown());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&rig.thumb, &leave);
    EXPECT_FALSE(rig.track.IsTooltipShown());

    rig.thumb.SetTooltipEnabled(false);
    QApplication::sendEvent(&rig.thumb, &enter);
    EXPECT_FALSE(rig.track.IsTooltipShown());

    ResetLanguages();
    CLangTable english(0);
    english.AddPair(u"Long", std::u16string(300, u'x'));
    SetCurrentLanguage(&english);
    rig.thumb.SetTooltipPrefix(u"$Long");
    EXPECT_EQ(rig.thumb.TooltipText().size(), 119);
    ResetLanguages();
}

TEST(SliderTooltip, ALabelStandsInForTheValueAndAShownTooltipTakesItAtOnce)
{
    HorizontalRig rig;
    rig.thumb.SetTooltipPrefix(u"$Level ");
    rig.thumb.SetValue(4);
    // Hovered: the tooltip is on show with the value.
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(rig.thumb.mapToGlobal(QPoint(2, 2))));
    QApplication::sendEvent(&rig.thumb, &enter);
    ASSERT_TRUE(rig.track.IsTooltipShown());
    EXPECT_EQ(rig.track.HostTooltip()->Text(), QStringLiteral("$Level 4"));

    rig.thumb.SetTooltipLabel(QStringLiteral("Dim"));
    EXPECT_EQ(rig.thumb.TooltipText(), QStringLiteral("Dim"));
    EXPECT_EQ(rig.track.HostTooltip()->Text(), QStringLiteral("Dim"));
    // Moving keeps the label; the value is not appended.
    rig.thumb.SetValue(7);
    EXPECT_EQ(rig.thumb.TooltipText(), QStringLiteral("Dim"));

    rig.thumb.SetTooltipLabel({});
    EXPECT_EQ(rig.thumb.TooltipText(), QStringLiteral("$Level 7"));
}

TEST(SliderTrack, BackColourPaintsTheWholeChannelUnderTheFill)
{
    struct Case {
        const char* name;
        SkinRect trackRect;
        QRect fill;
        QRect channel;
    };
    const Case cases[] = {
        {"horizontal", SkinRect{0, 0, 200, 20}, QRect(QPoint(5, 8), QPoint(6, 11)),
         QRect(QPoint(5, 8), QPoint(194, 11))},
        {"vertical", SkinRect{0, 0, 20, 200}, QRect(QPoint(8, 190), QPoint(11, 194)),
         QRect(QPoint(8, 5), QPoint(11, 194))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingWindow owner;
        CSliderTrack track{kTrackId, &owner, &owner, c.trackRect};
        track.SetFill(c.fill, RGB(0, 200, 255));
        EXPECT_TRUE(track.ChannelRect().isNull()) << "no back colour, no channel";
        track.SetFill(c.fill, RGB(0, 200, 255), RGB(10, 20, 30));
        EXPECT_EQ(track.ChannelRect(), c.channel);
        track.show();
        const QImage shot = track.grab().toImage();
        EXPECT_EQ(shot.pixelColor(c.fill.topLeft()), QColor(0, 200, 255));
        EXPECT_EQ(shot.pixelColor(c.channel.center()), QColor(10, 20, 30));
    }
}
