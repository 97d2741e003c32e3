#include "SliderTestSupport.h"

#include "controls/DropdownColorButton.h"
#include "controls/DropdownListItem.h"

#include <gtest/gtest.h>

TEST(DropdownList, BoxShowsLabelAndSelectionAndReportsPresses)
{
    RecordingWindow parent;
    CDropdownListItem box(281, &parent, &parent, SkinRect{10, 10, 210, 32});
    box.show();
    box.SetSorted(true);
    box.SetEntries({u"Soft", u"hard", u"Glass"});
    EXPECT_EQ(box.Entry(0), QStringLiteral("Glass"));
    EXPECT_EQ(box.Entry(1), QStringLiteral("hard"));
    EXPECT_TRUE(box.SetSelected(2));
    EXPECT_EQ(box.BoxText(), QStringLiteral("Soft"));
    box.SetLabel(u"Surface");
    EXPECT_EQ(box.BoxText(), QStringLiteral("Surface: Soft"));
    // Adding in order keeps the chosen entry chosen.
    box.AddEntry(u"Cloth");
    EXPECT_EQ(box.BoxText(), QStringLiteral("Surface: Soft"));
    EXPECT_FALSE(box.SetSelected(9));
    EXPECT_EQ(box.Selected(), 3);

    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(20, 10));
    auto opening = parent.Of(WM_DROPDOWN_OPENING);
    ASSERT_EQ(opening.size(), 1u);
    EXPECT_EQ(opening[0].lParam, reinterpret_cast<LPARAM>(box.GetHandle()));
    box.SetDisabled(true);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(parent.Of(WM_DROPDOWN_OPENING).size(), 1u);
}

TEST(DropdownColour, ShowsTheCurrentColour)
{
    RecordingWindow parent;
    CDropdownColorButton button(304, &parent, &parent, SkinRect{10, 10, 110, 34});
    button.SetBorderWidth(1);
    button.SetColour(RGB(255, 0, 0));
    button.show();
    EXPECT_EQ(button.kind, ItemKind::COMBOCOLOR);
    const QImage shot = button.grab().toImage();
    EXPECT_EQ(shot.pixelColor(20, 12), QColor(255, 0, 0));
}
