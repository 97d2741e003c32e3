// SPDX-License-Identifier: GPL-3.0-or-later
#include "SliderTestSupport.h"

#include "controls/APMSlider.h"
#include "platform/DebugOutput.h"

#include <QLoggingCategory>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

constexpr int kApmId = 263;

QStringList* capturedTrace = nullptr;

void CaptureTrace(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    if (capturedTrace && context.category && QByteArray(context.category) == "zemko.tovik.debug")
        capturedTrace->append(message);
}

struct ApmRig {
    RecordingWindow owner;
    CAPMSlider slider{
        kApmId, &owner, &owner, SkinRect{10, 10, 330, 30}, ThumbImage(8, 20, Qt::cyan), ThumbImage(8, 20, Qt::white)};
    ApmRig() { slider.show(); }
};

} // namespace

TEST(APMSlider, DefaultStagesSpreadTickersEvenly)
{
    ApmRig rig;
    for (int i = 0; i < 3; ++i)
        rig.slider.AddTicker(1);
    rig.slider.SetDefaultStages();
    EXPECT_EQ(rig.slider.TickerValues(), (std::vector<int>{8, 15, 22}));
    EXPECT_EQ(rig.slider.Ticker(1)->kind, ItemKind::THUMB);
    EXPECT_EQ(rig.slider.Ticker(1)->id, 1);

    rig.slider.RemoveAllTickers();
    rig.slider.SetRange(0, 100);
    rig.slider.AddTicker(0);
    rig.slider.SetDefaultStages();
    EXPECT_EQ(rig.slider.TickerValues(), (std::vector<int>{50}));
}

TEST(APMSlider, CapRangesFollowTheNeighbours)
{
    ApmRig rig;
    rig.slider.SetRange(0, 100);
    rig.slider.AddTicker(50);
    rig.slider.SetTickerCapRanges();
    EXPECT_EQ(rig.slider.Ticker(0)->GetCapMin(), 0);
    EXPECT_EQ(rig.slider.Ticker(0)->GetCapMax(), 100);

    rig.slider.AddTicker(70);
    rig.slider.AddTicker(90);
    rig.slider.SetTickerCapRanges();
    EXPECT_EQ(rig.slider.Ticker(0)->GetCapMin(), 0);
    EXPECT_EQ(rig.slider.Ticker(0)->GetCapMax(), 70);
    EXPECT_EQ(rig.slider.Ticker(1)->GetCapMin(), 52);
    EXPECT_EQ(rig.slider.Ticker(1)->GetCapMax(), 90);
    EXPECT_EQ(rig.slider.Ticker(2)->GetCapMin(), 70);
    EXPECT_EQ(rig.slider.Ticker(2)->GetCapMax(), 100);

    rig.slider.RemoveTickerCapRanges();
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(rig.slider.Ticker(i)->GetCapMin(), 0);
        EXPECT_EQ(rig.slider.Ticker(i)->GetCapMax(), 100);
    }
}

TEST(APMSlider, SegmentColoursAndClickedSegment)
{
    ApmRig rig;
    for (int i = 0; i < 3; ++i)
        rig.slider.AddTicker(1);
    rig.slider.SetDefaultStages(); // 8, 15, 22 on 1..32
    // (3 + 1) * 255 / 31 = 32 grey levels apart.
    EXPECT_EQ(rig.slider.SegmentColours(),
              (std::vector<COLORREF>{RGB(0, 0, 0), RGB(32, 32, 32), RGB(64, 64, 64), RGB(96, 96, 96)}));
    // Width 320: x 0 -> value 1, x 80 -> 8 (on the first ticker), x 319 -> 31.
    EXPECT_EQ(rig.slider.SegmentAt(0), 0);
    EXPECT_EQ(rig.slider.SegmentAt(70), 0);
    EXPECT_EQ(rig.slider.SegmentAt(80), 1);
    EXPECT_EQ(rig.slider.SegmentAt(319), 3);

    QTest::mouseClick(&rig.slider, Qt::LeftButton, {}, QPoint(160, 5)); // value 16 -> past two tickers
    DeliverPosted();
    auto clicked = rig.owner.Of(WM_APM_SEGMENT_CLICKED);
    ASSERT_EQ(clicked.size(), 1u); // parent and owner are one window: told once
    EXPECT_EQ(clicked[0].wParam, WPARAM(2));
    EXPECT_EQ(clicked[0].lParam, LPARAM(kApmId));

    // Many tickers over a short range: grey levels wrap at 8 bits instead of overflowing.
    rig.slider.SetRange(0, 2);
    EXPECT_EQ(rig.slider.SegmentColours()[1], RGB(254, 254, 254)); // 510
    EXPECT_EQ(rig.slider.SegmentColours()[2], RGB(252, 252, 252)); // 1020
}

TEST(APMSlider, MovingATickerReappliesCapsAndPassesTheMoveOn)
{
    ApmRig rig;
    rig.slider.SetRange(0, 100);
    rig.slider.AddTicker(20);
    rig.slider.AddTicker(60);
    CPHSlider* first = rig.slider.Ticker(0);
    DragInParent(first, QPoint(4, 10), QPoint(first->x() + 4 + 64, 10));
    DeliverPosted();
    auto changing = rig.owner.Of(WM_SLIDER_CHANGING);
    ASSERT_EQ(changing.size(), 1u);
    EXPECT_EQ(changing[0].lParam, LPARAM(0));
    EXPECT_EQ(int(changing[0].wParam), first->GetValue());
    EXPECT_EQ(rig.owner.Of(WM_SLIDER_RELEASED).size(), 1u);
    // The second ticker's lower cap follows the moved first ticker.
    EXPECT_EQ(rig.slider.Ticker(1)->GetCapMin(), first->GetValue());

    rig.slider.SetCapsEnabled(false);
    DragInParent(first, QPoint(4, 10), QPoint(first->x() - 30, 10));
    DeliverPosted();
    EXPECT_EQ(rig.slider.Ticker(1)->GetCapMin(), 0);
}

TEST(APMSlider, PaintWritesTheTraceLines)
{
    QStringList lines;
    capturedTrace = &lines;
    QLoggingCategory::setFilterRules(QStringLiteral("zemko.tovik.debug.debug=true"));
    const auto previous = qInstallMessageHandler(CaptureTrace);
    {
        ApmRig rig;
        rig.slider.AddTicker(10);
        rig.slider.SetDefaultStages();
        rig.slider.grab();
    }
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QStringLiteral("zemko.tovik.debug.debug=false"));
    capturedTrace = nullptr;

    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("---  CAPMSlider::SetDefaultStages(")));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(") ---")));
    const int paint = int(lines.indexOf(QRegularExpression(QStringLiteral("^CAPMSlider::OnPaint\\(0x-?\\d+\\)$"))));
    ASSERT_GE(paint, 0);
    ASSERT_GE(lines.size(), paint + 4);
    EXPECT_EQ(lines[paint + 1], QStringLiteral("CAPMSlider::OnPaint Color(0): 0x0"));
    EXPECT_EQ(lines[paint + 2], QStringLiteral("CAPMSlider::OnPaint Color(1): 0x101010"));
    EXPECT_EQ(lines[paint + 3], QStringLiteral("CAPMSlider::OnPaint Pos(0): 0x15"));
}
