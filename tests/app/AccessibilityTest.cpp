// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive tools see of the real main window: every visible, enabled control
// of every page answers with a role and a name, states follow clicks, a slider
// set through its value interface reaches the page as a drag does, and popups are
// dialogs named by their heading.
#include "AppTestSupport.h"
#include "support/SkinItemNames.h"

#include "controls/BitmapBtn.h"
#include "controls/DPIStageWindow.h"
#include "controls/DropdownListItem.h"
#include "controls/EditItem.h"
#include "controls/FocusMark.h"
#include "controls/FocusNavigation.h"
#include "controls/ListPanelItem.h"
#include "controls/ListPanelPopup.h"
#include "controls/MacroDisplayItem.h"
#include "controls/SliderBase.h"
#include "controls/TextItem.h"
#include "controls/XListCtrl.h"
#include "controls/accessibility/AccessibleEvents.h"
#include "controls/accessibility/AccessibleName.h"
#include "popups/PopupBox.h"
#include "settings/IMouseConfig.h"
#include "skin/ColorTable.h"
#include "skin/ItemIds.h"

#include <QAccessible>
#include <QWindow>
#include <iostream>
#include <typeinfo>

namespace {

bool IsSkinnedControl(const QWidget* widget)
{
    return dynamic_cast<const CBitmapBtn*>(widget) || dynamic_cast<const CSliderBase*>(widget) ||
           dynamic_cast<const CDropdownListItem*>(widget) || dynamic_cast<const CEditItem*>(widget) ||
           dynamic_cast<const CListPanelRows*>(widget) || dynamic_cast<const CDPIStageWindow*>(widget) ||
           dynamic_cast<const CMacroDisplayItem*>(widget) || dynamic_cast<const CXListCtrl*>(widget) ||
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
        // What the keyboard reaches is named for people, not by the skin's item name.
        if (TakesKeyboardFocus(*widget)) {
            EXPECT_EQ(SkinItemNamedAs(*widget, &root, iface->text(QAccessible::Name)), "");
        }
        EXPECT_FALSE(iface->state().disabled);
    }
    return count;
}

QAccessibleInterface* Of(QWidget* widget)
{
    return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
}

// What the controls announced while it was alive (no assistive tool runs here).
class AnnouncementLog {
public:
    struct Entry {
        QAccessible::Event type;
        QObject* object;
        int child;
        QVariant value;
        QAccessible::State changed;
    };
    AnnouncementLog()
    {
        SetAnnouncementWatcher([this](QAccessibleEvent& event) {
            Entry entry{event.type(), event.object(), event.child(), {}, {}};
            if (event.type() == QAccessible::ValueChanged)
                entry.value = static_cast<QAccessibleValueChangeEvent&>(event).value();
            if (event.type() == QAccessible::StateChanged)
                entry.changed = static_cast<QAccessibleStateChangeEvent&>(event).changedStates();
            entries_.push_back(entry);
        });
    }
    ~AnnouncementLog() { SetAnnouncementWatcher({}); }
    // The last entry of `type` about `object`, or null.
    const Entry* Last(QAccessible::Event type, const QObject* object) const
    {
        for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
            if (it->type == type && it->object == object)
                return &*it;
        return nullptr;
    }

private:
    std::vector<Entry> entries_;
};

class AccessibilityTest : public AppTest {
protected:
    void TearDown() override
    {
        CFocusMark::ResetKeyboardCues(); // the keys used here turned the focus ring on
        AppTest::TearDown();
    }
    // A key as the keyboard sends it: to the window, which hands it to its focus.
    static void Press(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(window.windowHandle(), key, modifiers);
        QCoreApplication::processEvents();
    }
    static bool TabTo(QWidget& window, const QWidget* target)
    {
        for (int i = 0; i < 200 && window.focusWidget() != target; ++i)
            QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
        return window.focusWidget() == target;
    }
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
        // The controls the performance page shows only with separate axes and with
        // acceleration on.
        window.ShowPage(PageBit::Performance);
        QCoreApplication::processEvents();
        const CGUIItems& performance = window.Page(PageBit::Performance)->Items();
        for (int itemId : {ItemId::BUTTON_ENABLEXY, ItemId::BUTTON_ENABLEACCELERATION}) {
            auto* box = performance.FindAs<CBitmapBtn>(itemId);
            ASSERT_NE(box, nullptr);
            ASSERT_FALSE(box->IsChecked());
            Click(box);
            ASSERT_TRUE(box->IsChecked());
        }
        SCOPED_TRACE("separate axes, acceleration on");
        ExpectAllExposed(window);
    });
}

TEST_F(AccessibilityTest, TheMainWindowIsAFrameNamedByItsTitle)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        QAccessibleInterface* iface = Of(&window);
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(iface->role(), QAccessible::Window);
        EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Zemko Tovik Configurator"));
        EXPECT_GT(iface->childCount(), 10) << "the window still holds its controls";
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

TEST_F(AccessibilityTest, EachChoiceOfARowIsDescribedByTheRowsLabel)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        window.ShowPage(PageBit::Lighting);
        QCoreApplication::processEvents();
        const CGUIItems& items = window.Page(PageBit::Lighting)->Items();
        struct Case {
            int itemId;
            const char* description;
        } cases[] = {{ItemId::SCROLL_LEDON, "Scroll wheel"},
                     {ItemId::SCROLL_LEDOFF, "Scroll wheel"},
                     {ItemId::BATTERY_ID_LEDOFF, "Battery indicator"}};
        for (const Case& c : cases) {
            SCOPED_TRACE(c.itemId);
            QAccessibleInterface* choice = Of(items.FindAs<CBitmapBtn>(c.itemId));
            ASSERT_NE(choice, nullptr);
            EXPECT_EQ(choice->role(), QAccessible::RadioButton);
            EXPECT_EQ(choice->text(QAccessible::Description), QString::fromUtf8(c.description));
        }
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

// A screen reader's press is answered before the popup it opens runs its own
// event loop; over AT-SPI the press is a D-Bus call, which would otherwise wait
// for the popup to close and time out.
TEST_F(AccessibilityTest, APressThatOpensAPopupReturnsBeforeThePopupRuns)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        window.ShowPage(PageBit::Performance);
        QCoreApplication::processEvents();
        bool popupRan = false;
        ModalScript::EndNextRun("DPIStagesPopup_MouseRefresh.xml", IDCANCEL, [&](CSkinWindow&) { popupRan = true; });
        QAccessibleInterface* stages =
            Of(window.Page(PageBit::Performance)->Items().FindAs<CBitmapBtn>(ItemId::BUTTON_SENSITIVITY_STAGES));
        ASSERT_NE(stages, nullptr);
        ASSERT_NE(stages->actionInterface(), nullptr);
        stages->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_FALSE(popupRan) << "the popup ran inside the press";
        EXPECT_TRUE(WaitUntil([&] { return popupRan; })) << "the press never reached the button";
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

TEST_F(AccessibilityTest, StatesAndValuesAreAnnouncedAsTheyChange)
{
    Plug(0x0031);
    AnnouncementLog log;
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        Press(window, Qt::Key_Tab, Qt::ControlModifier);
        auto* tab = window.Items().FindAs<CBitmapBtn>(ItemId::BUTTON_ADJUSTPERFORMANCE);
        const AnnouncementLog::Entry* tabChange = log.Last(QAccessible::StateChanged, tab);
        ASSERT_NE(tabChange, nullptr) << "the page tab became the chosen one";
        EXPECT_TRUE(tabChange->changed.checked);

        const CGUIItems& items = window.Page(PageBit::Performance)->Items();
        auto* xy = items.FindAs<CBitmapBtn>(ItemId::BUTTON_ENABLEXY);
        ASSERT_TRUE(TabTo(window, xy));
        Press(window, Qt::Key_Space);
        const AnnouncementLog::Entry* checked = log.Last(QAccessible::StateChanged, xy);
        ASSERT_NE(checked, nullptr);
        EXPECT_TRUE(checked->changed.checked);
        Press(window, Qt::Key_Space); // back to one value for both axes

        CSliderBase* thumb = nullptr;
        for (QWidget* widget : window.findChildren<QWidget*>())
            if (auto* candidate = dynamic_cast<CSliderBase*>(widget);
                candidate && candidate->isVisible() && candidate->Track() &&
                candidate->Track()->objectName() == QLatin1String("SLIDER_DPI_MULTI"))
                thumb = candidate;
        ASSERT_NE(thumb, nullptr);
        ASSERT_TRUE(TabTo(window, thumb));
        Press(window, Qt::Key_Right);
        const AnnouncementLog::Entry* value = log.Last(QAccessible::ValueChanged, thumb);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->value.toInt(), thumb->GetValue());

        // In the stages popup: a stage chosen with Space says it is now selected.
        ModalScript::EndNextRun("DPIStagesPopup_MouseRefresh.xml", IDCANCEL, [&](CSkinWindow& popup) {
            auto& box = static_cast<CPopupBox&>(popup);
            CDPIStageWindow* other = nullptr;
            for (int id = ItemId::DPISTAGEWINDOW_01; id <= ItemId::DPISTAGEWINDOW_05 && !other; ++id)
                if (auto* stage = box.Items().FindAs<CDPIStageWindow>(id);
                    stage && stage->isEnabled() && !stage->IsSelected())
                    other = stage;
            ASSERT_NE(other, nullptr);
            QAccessibleInterface* iface = Of(other);
            ASSERT_NE(iface, nullptr);
            EXPECT_EQ(iface->role(), QAccessible::RadioButton);
            EXPECT_TRUE(iface->text(QAccessible::Name).endsWith(other->ValuesText()));
            EXPECT_FALSE(iface->state().checked);
            ASSERT_TRUE(TabTo(popup, other));
            Press(popup, Qt::Key_Space);
            EXPECT_TRUE(iface->state().checked);
            const AnnouncementLog::Entry* chosen = log.Last(QAccessible::StateChanged, other);
            ASSERT_NE(chosen, nullptr);
            EXPECT_TRUE(chosen->changed.selected);
        });
        ASSERT_TRUE(TabTo(window, items.FindAs<CBitmapBtn>(ItemId::BUTTON_SENSITIVITY_STAGES)));
        Press(window, Qt::Key_Space);
        EXPECT_TRUE(WasRun("DPIStagesPopup_MouseRefresh.xml"));
    });
}

TEST_F(AccessibilityTest, MenusTablesAndMacroEventsHaveTheirParts)
{
    Plug(0x0031);
    AnnouncementLog log;
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));

        // A button's menu: a pop-up menu of entries; the arrows move the focus.
        CDropdownListItem* menu = nullptr;
        for (CGUIItem* item : window.Page(PageBit::ButtonAssignment)->Items().Items())
            if (auto* candidate = dynamic_cast<CDropdownListItem*>(item);
                !menu && candidate && candidate->isVisible() && !candidate->IsDisabled())
                menu = candidate;
        ASSERT_NE(menu, nullptr);
        bool menuSeen = false;
        ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [&](CSkinWindow& popup) {
            auto& panel = dynamic_cast<CListPanel&>(popup);
            QAccessibleInterface* list = Of(panel.List());
            ASSERT_NE(list, nullptr);
            EXPECT_EQ(list->role(), QAccessible::PopupMenu);
            ASSERT_GT(list->childCount(), 1);
            EXPECT_EQ(list->child(0)->role(), QAccessible::MenuItem);
            EXPECT_FALSE(list->child(0)->text(QAccessible::Name).isEmpty());
            Press(popup, Qt::Key_Down);
            const int row = panel.List()->HoveredRow();
            ASSERT_GE(row, 0);
            EXPECT_TRUE(list->child(row)->state().focused);
            const AnnouncementLog::Entry* focus = log.Last(QAccessible::Focus, panel.List());
            ASSERT_NE(focus, nullptr);
            EXPECT_EQ(focus->child, row);
            menuSeen = true;
            Press(popup, Qt::Key_Escape);
        });
        ASSERT_TRUE(TabTo(window, menu));
        Press(window, Qt::Key_Space);
        EXPECT_TRUE(menuSeen);

        // The profile list: a table with a row per profile.
        window.ShowPage(PageBit::Profiles);
        QCoreApplication::processEvents();
        auto* profiles = window.Page(PageBit::Profiles)->Items().FindAs<CXListCtrl>(ItemId::LIST_PROFILELIST);
        ASSERT_NE(profiles, nullptr);
        QAccessibleInterface* table = Of(profiles);
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->role(), QAccessible::Table);
        QAccessibleTableInterface* cells = table->tableInterface();
        ASSERT_NE(cells, nullptr);
        EXPECT_EQ(cells->rowCount(), profiles->RowCount());
        ASSERT_GT(cells->rowCount(), 0);
        EXPECT_EQ(cells->columnCount(), profiles->ColumnCount());
        for (int column = 0; column < cells->columnCount(); ++column) {
            SCOPED_TRACE(column);
            QAccessibleInterface* cell = cells->cellAt(0, column);
            ASSERT_NE(cell, nullptr);
            EXPECT_EQ(table->indexOfChild(cell), column);
            // Each cell points to its column's header, named as the header reads.
            const QList<QAccessibleInterface*> headers = cell->tableCellInterface()->columnHeaderCells();
            ASSERT_EQ(headers.size(), 1);
            EXPECT_EQ(headers[0]->role(), QAccessible::ColumnHeader);
            EXPECT_EQ(headers[0]->text(QAccessible::Name), cells->columnDescription(column));
            EXPECT_FALSE(headers[0]->text(QAccessible::Name).isEmpty());
            if (profiles->ColumnAt(column).cellKind == CellKind::CHECKBOX) {
                EXPECT_EQ(cell->role(), QAccessible::CheckBox);
                EXPECT_EQ(cell->state().checked, profiles->IsCellChecked(0, column));
            } else {
                EXPECT_EQ(cell->role(), QAccessible::Cell);
            }
        }
        ASSERT_TRUE(TabTo(window, profiles));
        Press(window, Qt::Key_Home);
        EXPECT_EQ(profiles->SelectedRow(), 0);
        EXPECT_TRUE(cells->isRowSelected(0));
        EXPECT_TRUE(cells->cellAt(0, 0)->state().selected);
        // Right walks the row's cells; the one the keyboard is on has the focus and
        // says so, and offers what a click on it does.
        const int programColumn = profiles->ColumnOfKind(ListColumnKind::LCITEM_PROFILEEXE);
        ASSERT_GE(programColumn, 0);
        for (int i = 0; i <= programColumn; ++i)
            Press(window, Qt::Key_Right);
        ASSERT_EQ(profiles->CurrentColumn(), programColumn);
        QAccessibleInterface* program = cells->cellAt(0, programColumn);
        EXPECT_TRUE(program->state().focused);
        EXPECT_FALSE(cells->cellAt(0, 0)->state().focused);
        const AnnouncementLog::Entry* cellFocus = log.Last(QAccessible::Focus, profiles);
        ASSERT_NE(cellFocus, nullptr);
        EXPECT_EQ(cellFocus->child, programColumn);
        ASSERT_NE(program->actionInterface(), nullptr);
        EXPECT_EQ(program->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        ModalScript::AnswerNextOpenFile(u"/usr/games/arena-client");
        program->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        ASSERT_TRUE(WaitUntil([&] { return ModalScript::PendingAnswers() == 0; }));
        ASSERT_TRUE(WaitUntil([&] { return program->text(QAccessible::Name) == QStringLiteral("arena-client"); }));

        // The macro display: a list of its events.
        window.ShowPage(PageBit::Macros);
        QCoreApplication::processEvents();
        auto* display = window.Page(PageBit::Macros)->Items().FindAs<CMacroDisplayItem>(ItemId::MACRO_DISPLAY);
        ASSERT_NE(display, nullptr);
        display->SetEvents({MacroDisplayEvent::Key(0x1E, 'A', true, false), MacroDisplayEvent::Delay(50),
                            MacroDisplayEvent::Key(0x1E, 'A', false, false)});
        QAccessibleInterface* events = Of(display);
        ASSERT_NE(events, nullptr);
        EXPECT_EQ(events->role(), QAccessible::List);
        ASSERT_EQ(events->childCount(), 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(events->child(i)->text(QAccessible::Name), display->RowText(i));
        ASSERT_TRUE(TabTo(window, display));
        Press(window, Qt::Key_End);
        EXPECT_EQ(display->Selected(), 2);
        EXPECT_TRUE(events->child(2)->state().selected);
        EXPECT_EQ(events->text(QAccessible::Value), display->RowText(2));
    });
}

} // namespace
