// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped popups worked with the keyboard alone: Tab reaches each control,
// each control it reaches tells a screen reader what it is, Escape cancels, and a
// key field keeps every key until Ctrl+Tab leaves it.
#include "ShippedSkinFixture.h"

#include "controls/BitmapBtn.h"
#include "controls/EditItemSingleKey.h"
#include "controls/FocusNavigation.h"
#include "controls/accessibility/ControlAccessibility.h"
#include "platform/NativeKeyEvent.h"
#include "popups/TovikEliteDPIStagesPopup.h"
#include "popups/TovikEliteMacroAssignmentPopup.h"
#include "popups/TovikEliteNumEntryPopup.h"
#include "popups/TovikElitePopupBoxSingleKeyEntry.h"
#include "popups/TovikEliteWarningDlg.h"
#include "popups/VorlaNameEntryPopup.h"
#include "popups/accessibility/AccessiblePopup.h"
#include "skin/ItemIds.h"
#include "support/SkinItemNames.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <QWindow>
#include <functional>
#include <memory>
#include <set>
#include <tuple>

namespace {

class PopupKeyboardTest : public ShippedSkinFixture {
protected:
    void SetUp() override
    {
        ShippedSkinFixture::SetUp();
        InstallControlAccessibility();
        InstallPopupAccessibility();
    }
    // A key as the keyboard sends it, with its scan code, to the window.
    static void Native(QWidget& window, Set1ScanCode code, int qtKey, Qt::KeyboardModifiers modifiers = {})
    {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            auto event = MakeNativeKeyEvent(type, code, qtKey, modifiers);
            QApplication::sendEvent(window.windowHandle(), event.get());
        }
    }
    static void NativeCtrlTab(QWidget& window)
    {
        auto press = [&](QEvent::Type type, Set1ScanCode code, int key, Qt::KeyboardModifiers modifiers) {
            auto event = MakeNativeKeyEvent(type, code, key, modifiers);
            QApplication::sendEvent(window.windowHandle(), event.get());
        };
        press(QEvent::KeyPress, kCtrl, Qt::Key_Control, Qt::ControlModifier);
        press(QEvent::KeyPress, kTab, Qt::Key_Tab, Qt::ControlModifier);
        press(QEvent::KeyRelease, kTab, Qt::Key_Tab, Qt::ControlModifier);
        press(QEvent::KeyRelease, kCtrl, Qt::Key_Control, Qt::NoModifier);
    }
    static bool InKeyField(QWidget& window)
    {
        QWidget* focused = window.focusWidget();
        return focused && dynamic_cast<CEditItemSingleKeyInput*>(focused->parentWidget());
    }
    static constexpr Set1ScanCode kCtrl{0x1D, false, false};
    static constexpr Set1ScanCode kTab{0x0F, false, false};
    static constexpr Set1ScanCode kA{0x1E, false, false};
    static constexpr Set1ScanCode kEscape{0x01, false, false};
};

TEST_F(PopupKeyboardTest, TabReachesEveryControlOfEveryPopupAndEachSaysWhatItIs)
{
    std::u16string name = u"Profile 1";
    int count = 0;
    SingleKeyRecord key{u"A", 0x41, 0x1E, 0};
    SingleKeyRecord step{u"B", 0x42, 0x30, SingleKeyRecord::kShift};
    StageSet stages{100, 16000, 100, 3, 2, {}};
    for (int i = 0; i < 5; ++i)
        stages.entries.push_back(StageEntry{400 * (i + 1), 400 * (i + 1), 400 * (i + 1), i == 1, i < 3, false});

    struct Case {
        const char* what;
        std::function<std::unique_ptr<CPopupBox>()> make;
        std::size_t fewest; // controls Tab must at least reach
    } cases[] = {
        {"warning", [] { return std::make_unique<CTovikEliteWarningDlg>(u"RestorePopup.xml", nullptr); }, 2},
        {"name entry", [&] { return std::make_unique<CVorlaNameEntryPopup>(u"ProfileRenamePopup.xml", nullptr, name); },
         3},
        {"number entry",
         [&] { return std::make_unique<CTovikEliteNumEntryPopup>(u"MacroRepeatEntryPopup.xml", nullptr, count); }, 3},
        {"macro choice",
         [] {
             return std::make_unique<CTovikEliteMacroAssignmentPopup>(u"SelectMacroPopup.xml", nullptr,
                                                                      std::vector<std::u16string>{u"Reload", u"Sprint"},
                                                                      u"Sprint", 2, false);
         },
         6},
        {"stages",
         [&] {
             return std::make_unique<CTovikEliteDPIStagesPopup>(u"DPIStagesPopup_MouseRefresh.xml", nullptr, stages);
         },
         8},
        {"single key",
         [&] { return std::make_unique<CTovikElitePopupBoxSingleKeyEntry>(u"SingleKeyPopup.xml", nullptr, key); }, 3},
        {"macro key",
         [&] {
             return std::make_unique<CTovikElitePopupBoxMacroSingleKeyEntry>(u"EditSingleKeyPopup.xml", nullptr, step);
         },
         6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<CPopupBox> popup = c.make();
        std::size_t reached = 0;
        ModalScript::EndNextRun(popup->RunName(), 99, [&](CSkinWindow& window) {
            const std::vector<QWidget*> chain = FocusChain(window);
            std::set<QWidget*> seen;
            for (std::size_t i = 0; i < chain.size(); ++i) {
                // A key field records Tab; Ctrl+Tab is the way out of it.
                if (InKeyField(window))
                    NativeCtrlTab(window);
                else
                    QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
                QWidget* focused = window.focusWidget();
                ASSERT_NE(focused, nullptr);
                seen.insert(focused);
                QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(focused);
                ASSERT_NE(iface, nullptr);
                SCOPED_TRACE(focused->objectName().toStdString());
                EXPECT_NE(iface->role(), QAccessible::Client);
                EXPECT_FALSE(iface->text(QAccessible::Name).trimmed().isEmpty());
                EXPECT_EQ(SkinItemNamedAs(*focused, &window, iface->text(QAccessible::Name)), "");
            }
            reached = seen.size();
            // Escape cancels wherever the keyboard is but in a key field.
            if (!InKeyField(window)) {
                QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
            }
        });
        const int result = popup->DoModal();
        EXPECT_GE(reached, c.fewest);
        EXPECT_EQ(result, IDCANCEL);
    }
}

// With nothing focused in a popup, the first Tab lands on the first control of
// its order and the first Shift+Tab on the last.
TEST_F(PopupKeyboardTest, TheFirstTabFromNowhereLandsOnTheFirstControlAndShiftTabOnTheLast)
{
    std::u16string name = u"Profile 1";
    StageSet stages{100, 16000, 100, 3, 2, {}};
    for (int i = 0; i < 5; ++i)
        stages.entries.push_back(StageEntry{400 * (i + 1), 400 * (i + 1), 400 * (i + 1), i == 1, i < 3, false});
    struct Case {
        const char* what;
        std::function<std::unique_ptr<CPopupBox>()> make;
    } cases[] = {
        {"name entry",
         [&] { return std::make_unique<CVorlaNameEntryPopup>(u"ProfileRenamePopup.xml", nullptr, name); }},
        {"macro choice",
         [] {
             return std::make_unique<CTovikEliteMacroAssignmentPopup>(u"SelectMacroPopup.xml", nullptr,
                                                                      std::vector<std::u16string>{u"Reload", u"Sprint"},
                                                                      u"Sprint", 2, false);
         }},
        {"stages",
         [&] {
             return std::make_unique<CTovikEliteDPIStagesPopup>(u"DPIStagesPopup_MouseRefresh.xml", nullptr, stages);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<CPopupBox> popup = c.make();
        bool checked = false;
        ModalScript::EndNextRun(popup->RunName(), 99, [&](CSkinWindow& window) {
            const std::vector<QWidget*> chain = FocusChain(window);
            ASSERT_GT(chain.size(), 2u);
            for (const auto& [key, modifiers, expected] :
                 {std::tuple{Qt::Key_Tab, Qt::KeyboardModifiers{}, chain.front()},
                  std::tuple{Qt::Key_Backtab, Qt::KeyboardModifiers{Qt::ShiftModifier}, chain.back()}}) {
                SCOPED_TRACE(key == Qt::Key_Tab ? "Tab" : "Shift+Tab");
                // The popup's activation settles first: it may hand out a focus of its own.
                QCoreApplication::processEvents();
                if (QWidget* focused = window.focusWidget())
                    focused->clearFocus();
                ASSERT_EQ(window.focusWidget(), nullptr);
                QTest::keyClick(window.windowHandle(), key, modifiers);
                ASSERT_NE(window.focusWidget(), nullptr);
                EXPECT_EQ(window.focusWidget(), expected)
                    << "focused " << window.focusWidget()->objectName().toStdString() << ", expected "
                    << expected->objectName().toStdString();
            }
            checked = true;
            QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
        });
        EXPECT_EQ(popup->DoModal(), IDCANCEL);
        EXPECT_TRUE(checked);
    }
}

TEST_F(PopupKeyboardTest, AKeyFieldKeepsEveryKeyUntilCtrlTabLeavesIt)
{
    SingleKeyRecord key;
    CTovikElitePopupBoxMacroSingleKeyEntry popup(u"EditSingleKeyPopup.xml", nullptr, key);
    ModalScript::EndNextRun(popup.RunName(), 99, [&](CSkinWindow& window) {
        CEditItemSingleKeyInput* field = popup.KeyField();
        ASSERT_NE(field, nullptr);
        ASSERT_EQ(window.focusWidget(), field->Edit());

        // Tab and Escape are keys to record while the field has the keyboard.
        Native(window, kTab, Qt::Key_Tab);
        EXPECT_EQ(window.focusWidget(), field->Edit());
        Native(window, kEscape, Qt::Key_Escape);
        EXPECT_TRUE(window.isVisible()) << "Escape was recorded, not taken as cancel";
        Native(window, kA, Qt::Key_A);
        const QString shown = field->GetText();
        EXPECT_FALSE(shown.isEmpty());

        NativeCtrlTab(window);
        EXPECT_NE(window.focusWidget(), field->Edit()) << "Ctrl+Tab left the field";
        EXPECT_EQ(field->GetText(), shown) << "leaving records nothing";

        // Now keys work the buttons: Tab to OK and press it.
        CGUIItem* ok = popup.Items().FindById(ItemId::BUTTON_POPUP_OK, ItemKind::BUTTON);
        ASSERT_NE(ok, nullptr);
        for (std::size_t i = 0; i < FocusChain(window).size() && window.focusWidget() != ok->window; ++i)
            Native(window, kTab, Qt::Key_Tab);
        ASSERT_EQ(window.focusWidget(), ok->window);
        QTest::keyClick(window.windowHandle(), Qt::Key_Space);
    });
    EXPECT_EQ(popup.DoModal(), IDOK);
    EXPECT_EQ(key.scanCode, kA.makeCode) << "the key pressed before leaving, without Ctrl";
    EXPECT_EQ(key.modifiers & SingleKeyRecord::kCtrl, 0);
}

} // namespace
