// SPDX-License-Identifier: GPL-3.0-or-later
// A progress popup outlives the device objects it was attached to: the picker
// drops a mouse that was unplugged and makes a new one for every read. Closing
// or reshowing the popup afterwards must not reach a source that is gone (the
// address sanitizer sees it; without it the popup would write to freed memory),
// and a new source that happens to get the old address is attached as new.
#include "AppTestSupport.h"

#include "app/ProgressPopup.h"
#include "controls/ControlFactories.h"
#include "device/ProgressMessenger.h"
#include "skin/AppPaths.h"
#include "skin/ItemIds.h"

#include <memory>

namespace {

class ProgressSourceLifetimeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetAppDirectory(TestAppDirectory());
        RegisterAllControls();
    }
    void TearDown() override { popup_.Close(); }

    void Show()
    {
        popup_.Show(u"ProgressPopup.xml", kProgressPopupTemplate, ItemId::PROG_PANEL_ITEM_POPUP,
                    ItemId::TEXT_PROGRESS_MESSAGE, ItemId::BUTTON_POPUP_CANCEL, nullptr);
        ASSERT_NE(popup_.Dialog(), nullptr);
    }

    CTovikEliteProgressPopup popup_;
};

} // namespace

TEST_F(ProgressSourceLifetimeTest, ASourceThatIsGoneIsLeftAloneByCloseShowAndAttach)
{
    const struct {
        const char* what;
        bool shownWhenAttached;
    } cases[] = {{"attached to a shown popup", true}, {"attached before the popup was shown", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.shownWhenAttached)
            Show();
        auto dropped = std::make_unique<CProgressMessenger>();
        popup_.Attach(dropped.get(), u"Writing");
        dropped.reset();
        if (!c.shownWhenAttached)
            Show();
        // A device object made afterwards: attached as a source of its own, and
        // the only one the dialog listens to.
        auto current = std::make_unique<CProgressMessenger>();
        popup_.Attach(current.get(), u"Writing");
        EXPECT_EQ(popup_.Sources(), std::vector<CProgressMessenger*>{current.get()});
        ASSERT_EQ(current->Listeners().size(), 1u);
        EXPECT_EQ(current->Listeners()[0], static_cast<HWND>(popup_.Dialog()));
        popup_.Close();
        EXPECT_TRUE(current->Listeners().empty());
    }
}
