// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive tools see of the real main window: every visible, enabled control
// of every page answers with a role and a name, states follow clicks, a slider
// set through its value interface reaches the page as a drag does, and popups are
// dialogs named by their heading.
#include "AppTestSupport.h"

#include "controls/BitmapBtn.h"
#include "controls/DropdownListItem.h"
#include "controls/EditItem.h"
#include "controls/ListPanelItem.h"
#include "controls/SliderBase.h"
#include "controls/TextItem.h"
#include "controls/accessibility/AccessibleName.h"
#include "popups/PopupBox.h"
#include "settings/IMouseConfig.h"
#include "skin/ItemIds.h"

#include <QAccessible>
#include <iostream>
#include <typeinfo>

namespace {

bool IsSkinnedControl(const QWidget* widget)
{
    return dynamic_cast<const CBitmapBtn*>(widget) || dynamic_cast<const CSliderBase*>(widget) ||
           dynamic_cast<const CDropdownListItem*>(widget) || dynamic_cast<const CEditItem*>(widget) ||
           dynamic_cast<const CListPanelRows*>(widget) ||
           (dynamic_cast<const CTextItem*>(widget) && !static_cast<const CTextItem*>(widget)->GetText().isEmpty());
}

// Checks every visible, enabled skinned control under `root`; returns how many.
int ExpectAllExposed(QWidget& root)
{
    int count = 0;
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        if (!IsSkinnedControl(widget) || !widget->isVisible() || !widget->isEnabled())
            continue;
        if (auto* slider = dynamic_cast<CSliderBase*>(widget); slider && !slider->IsSliderEnabled())
            continue;
        if (auto* dropdown = dynamic_cast<CDropdownListItem*>(widget); dropdown && dropdown->IsDisabled())
            continue;
        ++count;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
        SCOPED_TRACE(widget->objectName().toStdString() + " " + typeid(*widget).name());
        EXPECT_NE(iface, nullptr);
        if (!iface)
            continue;
        EXPECT_NE(iface->role(), QAccessible::Client) << "our controls say what they are";
        EXPECT_NE(iface->role(), QAccessible::NoRole);
        EXPECT_FALSE(iface->text(QAccessible::Name).trimmed().isEmpty());
        EXPECT_FALSE(iface->state().disabled);
    }
    return count;
}

QAccessibleInterface* Of(QWidget* widget)
{
    return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
}

class AccessibilityTest : public AppTest {
protected:
    static bool WaitUntilIdle(CTovikEliteAppDlg& window)
    {
        return WaitUntil([&] {
            return window.IsFirstReadDone() && !window.HasTimer(MainTimer::StartWrite) &&
                   !window.HasTimer(MainTimer::EndOfTransfer) && !window.Device()->IsBusy() && window.isEnabled();
        });
    }
    static void Click(QWidget* widget)
    {
        ASSERT_NE(widget, nullptr);
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
        QCoreApplication::processEvents();
    }
};

TEST(AccessibleNameTest, SkinNamesBecomeWords)
{
    struct Case {
        const char* skinName;
        const char* words;
    } cases[] = {
        {"BUTTON_SENSITIVITY_STAGES", "Sensitivity stages"},
        {"SLIDER_ID_ACCEL", "Id accel"},
        {"TEXT_ENABLEXY", "Enablexy"},
        {"COMBO_LANGUAGE", "Language"},
        {"BUTTON_", "Button"}, // nothing after the prefix: the prefix is all there is
        {"OK", "Ok"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.skinName);
        EXPECT_EQ(TextFromSkinName(QString::fromLatin1(c.skinName)), QString::fromLatin1(c.words));
    }
}

TEST_F(AccessibilityTest, EveryPageExposesItsControlsWithRolesAndNames)
{
    Plug(0x0031);
    const std::pair<int, const char*> pages[] = {{PageBit::ButtonAssignment, "buttons"},
                                                 {PageBit::Performance, "performance"},
                                                 {PageBit::Profiles, "profiles"},
                                                 {PageBit::Macros, "macros"},
                                                 {PageBit::Lighting, "lighting"}};
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        for (const auto& [page, name] : pages) {
            SCOPED_TRACE(name);
            window.ShowPage(page);
            QCoreApplication::processEvents();
            const int count = ExpectAllExposed(window);
            EXPECT_GT(count, 10);
            std::cout << "[ exposed  ] " << name << " page: " << count << " controls\n";
        }
    });
}

TEST_F(AccessibilityTest, StatesFollowClicks)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        Click(window.Items().FindAs<CBitmapBtn>(ItemId::BUTTON_ADJUSTPERFORMANCE));
        ASSERT_TRUE(WaitUntilIdle(window));

        QAccessibleInterface* tab = Of(window.Items().FindAs<CBitmapBtn>(ItemId::BUTTON_ADJUSTPERFORMANCE));
        ASSERT_NE(tab, nullptr);
        EXPECT_EQ(tab->role(), QAccessible::PageTab);
        EXPECT_TRUE(tab->state().selected) << "the tab of the page on show";
        QAccessibleInterface* otherTab = Of(window.Items().FindAs<CBitmapBtn>(ItemId::BUTTON_LIGHTINGMAINTENANCE));
        ASSERT_NE(otherTab, nullptr);
        EXPECT_FALSE(otherTab->state().selected);

        const CGUIItems& items = window.Page(PageBit::Performance)->Items();
        auto* rate1 = items.FindAs<CBitmapBtn>(ItemId::BUTTON_RATE1);
        auto* rate2 = items.FindAs<CBitmapBtn>(ItemId::BUTTON_RATE2);
        ASSERT_TRUE(rate1 && rate2);
        EXPECT_EQ(Of(rate1)->role(), QAccessible::RadioButton);
        EXPECT_FALSE(Of(rate1)->text(QAccessible::Name).isEmpty());
        EXPECT_TRUE(Of(rate2)->state().checked) << "the factory rate";
        Click(rate1);
        EXPECT_TRUE(Of(rate1)->state().checked);
        EXPECT_FALSE(Of(rate2)->state().checked);

        auto* xy = items.FindAs<CBitmapBtn>(ItemId::BUTTON_ENABLEXY);
        ASSERT_NE(xy, nullptr);
        ASSERT_EQ(Of(xy)->role(), QAccessible::CheckBox);
        auto* xyLabel = items.FindAs<CTextItem>(ItemId::TEXT_ENABLEXY);
        ASSERT_NE(xyLabel, nullptr);
        EXPECT_EQ(Of(xy)->text(QAccessible::Name), xyLabel->GetText()) << "named by the label beside it";
        const bool before = Of(xy)->state().checked;
        Click(xy);
        EXPECT_NE(Of(xy)->state().checked, before);
        // The action a screen reader offers does what the click does.
        Of(xy)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCoreApplication::processEvents();
        EXPECT_EQ(Of(xy)->state().checked, before);

        window.Items().FindAs<CBitmapBtn>(ItemId::BUTTON_LIGHTINGMAINTENANCE)->setEnabled(false);
        EXPECT_TRUE(otherTab->state().disabled);
    });
}

TEST_F(AccessibilityTest, SliderValueInterfaceChangesTheSettingAsADragDoes)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        window.ShowPage(PageBit::Performance);
        QCoreApplication::processEvents();
        // The sensitivity thumb of the multi-stage slider.
        CSliderBase* slider = nullptr;
        for (QWidget* widget : window.findChildren<QWidget*>())
            if (auto* candidate = dynamic_cast<CSliderBase*>(widget);
                candidate && candidate->isVisible() && candidate->Track() &&
                candidate->Track()->objectName() == QLatin1String("SLIDER_DPI_MULTI"))
                slider = candidate;
        ASSERT_NE(slider, nullptr);
        QAccessibleInterface* iface = Of(slider);
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(iface->role(), QAccessible::Slider);
        QAccessibleValueInterface* value = iface->valueInterface();
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->minimumValue().toInt(), slider->GetMin());
        EXPECT_EQ(value->maximumValue().toInt(), slider->GetMax());
        EXPECT_GT(value->minimumStepSize().toDouble(), 0.0);
        const int before = value->currentValue().toInt();
        const unsigned dpiBefore = window.Config()->GetCurrentDpi();

        iface->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
        QCoreApplication::processEvents();
        EXPECT_GT(value->currentValue().toInt(), before);
        EXPECT_TRUE(WaitUntil([&] { return window.Config()->GetCurrentDpi() != dpiBefore; }))
            << "the page heard of the new value";

        // Out of range is held at the ends, as a drag past the end is.
        value->setCurrentValue(slider->GetMax() + 100000);
        QCoreApplication::processEvents();
        EXPECT_EQ(value->currentValue().toInt(), slider->GetMax());
        value->setCurrentValue(QStringLiteral("not a number"));
        EXPECT_EQ(value->currentValue().toInt(), slider->GetMax());
    });
}

TEST_F(AccessibilityTest, PopupsAreDialogsNamedByTheirHeading)
{
    Plug(0x0031);
    QString name;
    QAccessible::Role role = QAccessible::NoRole;
    int exposed = 0;
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        window.ShowPage(PageBit::Performance);
        QCoreApplication::processEvents();
        ModalScript::EndNextRun("DPIStagesPopup_MouseRefresh.xml", IDCANCEL, [&](CSkinWindow& popup) {
            QAccessibleInterface* iface = Of(&popup);
            ASSERT_NE(iface, nullptr);
            role = iface->role();
            name = iface->text(QAccessible::Name);
            exposed = ExpectAllExposed(popup);
        });
        Click(window.Page(PageBit::Performance)->Items().FindAs<CBitmapBtn>(ItemId::BUTTON_SENSITIVITY_STAGES));
    });
    EXPECT_EQ(role, QAccessible::Dialog);
    EXPECT_FALSE(name.isEmpty());
    EXPECT_GT(exposed, 5);
    std::cout << "[ exposed  ] stages popup \"" << name.toStdString() << "\": " << exposed << " controls\n";
}

} // namespace
