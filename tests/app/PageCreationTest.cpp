// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppTestSupport.h"

#include "app/CurrentProfileStrip.h"
#include "controls/BitmapBtn.h"
#include "controls/DropdownListItem.h"
#include "controls/TextItem.h"
#include "platform/core/Messages.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "skin/ItemIds.h"

namespace {

bool WaitUntilIdle(CTovikEliteAppDlg& window)
{
    return WaitUntil([&] {
        return window.IsFirstReadDone() && !window.HasTimer(MainTimer::StartWrite) &&
               !window.HasTimer(MainTimer::EndOfTransfer) && !window.Device()->IsBusy() && window.isEnabled();
    });
}

void ClickMain(CTovikEliteAppDlg& window, int itemId)
{
    auto* button = window.Items().FindAs<CBitmapBtn>(itemId);
    ASSERT_NE(button, nullptr) << itemId;
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

QString TextOn(CTovikEliteAppDlg& window, int pageBit, int itemId)
{
    CMainWindowPage* page = window.Page(pageBit);
    auto* text = page ? page->Items().FindAs<CTextItem>(itemId) : nullptr;
    return text ? text->GetText() : QStringLiteral("<missing>");
}

using PageCreationTest = AppTest;

} // namespace

// Only the first page is made at start-up. A page made later shows what the
// configuration holds by then, also what another page changed while it did not
// exist, and Apply writes it.
TEST_F(PageCreationTest, PagesAreMadeWhenFirstShownAndShowWhatChangedMeanwhile)
{
    Plug(0x0031);
    GUID travel;
    ChangeImage(0x0031, [&](emulator::DeviceImage& image) {
        emulator::ProfileImage second = image.profiles.front();
        second.id = travel = GUID::Generate();
        second.name = u"Travel";
        second.sensitivity = {3200, 3200};
        image.profiles.push_back(second);
    });
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_EQ(window.CurrentPage(), window.Page(PageBit::ButtonAssignment));
        for (int bit : {PageBit::Performance, PageBit::Profiles, PageBit::Macros, PageBit::Lighting}) {
            SCOPED_TRACE(bit);
            EXPECT_EQ(window.Page(bit), nullptr);
        }
        EXPECT_EQ(window.LightingItemsCurrentGeneration().size(), 0u);

        // The strip switches the profile; the profiles and performance pages it
        // would refresh are not there.
        auto& strip = dynamic_cast<CCurrentProfileStrip&>(window.ProfileStrip());
        ASSERT_NE(strip.ProfileList(), nullptr);
        window.SendMessage(WM_DROPDOWN_SELECTED, WPARAM(1), reinterpret_cast<LPARAM>(strip.ProfileList()->GetHandle()));
        ASSERT_EQ(window.Config()->GetCurrentProfile()->GetGuid(), travel);
        EXPECT_TRUE(window.ApplyButton()->isEnabled());

        ClickMain(window, ItemId::BUTTON_ADJUSTPERFORMANCE);
        ASSERT_NE(window.Page(PageBit::Performance), nullptr);
        EXPECT_EQ(window.CurrentPage(), window.Page(PageBit::Performance));
        EXPECT_EQ(TextOn(window, PageBit::Performance, ItemId::TEXT_DPIVALUE1), QStringLiteral("3200"));
        // Made once: showing it again keeps the same page.
        CMainWindowPage* performance = window.Page(PageBit::Performance);
        ClickMain(window, ItemId::BUTTON_LIGHTINGMAINTENANCE);
        ClickMain(window, ItemId::BUTTON_ADJUSTPERFORMANCE);
        EXPECT_EQ(window.Page(PageBit::Performance), performance);
        EXPECT_GT(window.LightingItemsCurrentGeneration().size(), 0u);

        emulator::FaultInjection::ResetCounters();
        ClickMain(window, ItemId::BUTTON_APPLY);
        ASSERT_TRUE(WaitUntil([&] { return window.WritesStarted() == 1; }));
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_FALSE(window.ApplyButton()->isEnabled());
    });
    EXPECT_EQ(Image(0x0031).activeProfile, travel);
}
