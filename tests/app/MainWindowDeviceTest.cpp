// SPDX-License-Identifier: GPL-3.0-or-later
// The main window over a device of the test's own making: one that reads but
// refuses writes, to see what the window makes of failures and device changes.
#include "AppTestSupport.h"

#include "app/ProgressPopup.h"
#include "controls/BitmapBtn.h"
#include "controls/ControlFactories.h"
#include "device/NullMouse.h"
#include "settings/TovikEliteConfig.h"
#include "skin/AppPaths.h"
#include "skin/ItemIds.h"

namespace {

class ReadOnlyMouse : public CNullMouse {
public:
    explicit ReadOnlyMouse(int productId) : productId_(productId) {}
    int GetProductId() override { return productId_; }
    bool Transfer(IMouseConfig* config, int mode, uint16_t) override
    {
        if (mode == TransferMode::Read)
            return ReadAll(config);
        ++writeRequests;
        return false;
    }
    int writeRequests = 0;

private:
    int productId_;
};

class MainWindowDeviceTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        SetAppDirectory(TestAppDirectory());
        RegisterAllControls();
    }
    void TearDown() override
    {
        window_.reset();
        popup_.Close();
        AppTest::TearDown();
    }
    CTovikEliteAppDlg& Open(int productId)
    {
        mouse_ = std::make_unique<ReadOnlyMouse>(productId);
        devicePointer_ = mouse_.get();
        window_ = std::make_unique<CTovikEliteAppDlg>(&devicePointer_, &config_, &popup_);
        EXPECT_TRUE(window_->Initialise());
        EXPECT_TRUE(WaitUntil([&] { return window_->IsFirstReadDone(); }));
        return *window_;
    }

    CTovikEliteConfig config_;
    CTovikEliteProgressPopup popup_;
    std::unique_ptr<ReadOnlyMouse> mouse_;
    IMouseDevice* devicePointer_ = nullptr;
    std::unique_ptr<CTovikEliteAppDlg> window_;
};

TEST_F(MainWindowDeviceTest, AWriteThatCannotStartKeepsTheChangesAndTheWindow)
{
    CTovikEliteAppDlg& window = Open(0x0031);
    window.SetSettingsChanged();
    CBitmapBtn* ok = window.Items().FindAs<CBitmapBtn>(ItemId::BUTTON_OK);
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton, {}, ok->rect().center());
    ASSERT_TRUE(WaitUntil([&] { return mouse_->writeRequests == 1; }));
    ASSERT_TRUE(WaitUntil([&] { return !window.HasTimer(MainTimer::EndOfWriteThenClose); }));
    EXPECT_FALSE(window.IsEnded()) << "the window closed although nothing was written";
    EXPECT_TRUE(window.AreSettingsChanged());
    EXPECT_TRUE(window.ApplyButton()->isEnabled());
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(window.WritesStarted(), 0);
    EXPECT_TRUE(WasRun("WriteFailedPopup.xml")) << "the user was not told that nothing was written";
}

TEST_F(MainWindowDeviceTest, AnotherDeviceIsWrittenOnlyWhenTheUserAgreesForTheEarlierGeneration)
{
    CTovikEliteAppDlg& window = Open(0x0031);
    ModalScript::EndNextRun("ChangeMousePopup.xml", IDCANCEL);
    window.PostDeviceChange(0x0013);
    ASSERT_TRUE(WaitUntil([&] { return window.GetDeviceCode() == DeviceCode::LegacyMouse; }));
    EXPECT_TRUE(WasRun("ChangeMousePopup.xml"));
    EXPECT_EQ(mouse_->writeRequests, 0);

    ModalScript::EndNextRun("ChangeMousePopup.xml", IDOK);
    window.PostDeviceChange(0x0031);
    ASSERT_TRUE(WaitUntil([&] { return window.GetDeviceCode() == DeviceCode::EliteMouse; }));
    EXPECT_EQ(mouse_->writeRequests, 1);

    // Between current-generation products nobody is asked.
    const size_t runs = ModalScript::Records().size();
    window.PostDeviceChange(0x0032);
    ASSERT_TRUE(WaitUntil([&] { return window.GetDeviceCode() == DeviceCode::EliteDock; }));
    EXPECT_EQ(ModalScript::Records().size(), runs);
    EXPECT_EQ(mouse_->writeRequests, 2);
    EXPECT_TRUE(window.IsConnectionShown(true));

    ModalScript::EndNextRun("NoMousePopup.xml", IDOK);
    window.PostDeviceChange(-1);
    EXPECT_TRUE(WaitUntil([&] { return window.IsEnded(); }));
    EXPECT_TRUE(WasRun("NoMousePopup.xml"));
}

TEST_F(MainWindowDeviceTest, RecordedKeysAndMessagesOfThePagesAreAcceptedQuietly)
{
    CTovikEliteAppDlg& window = Open(0x0031);
    // Progress and list-row messages are accepted and ignored.
    EXPECT_EQ(window.SendMessage(WM_DEVICE_PROGRESS, 0, 50), 0);
    EXPECT_EQ(window.SendMessage(WM_DEVICE_PROGRESS_TEXT, 0, 0), 0);
    EXPECT_EQ(window.SendMessage(WM_LIST_ROW_CLICKED, 3, 0), 0);
    EXPECT_FALSE(window.IsEnded());
    // Enter with nothing changed is OK: the window ends at once.
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_TRUE(window.IsEnded());
    EXPECT_EQ(window.EndResult(), IDOK);
}

TEST_F(MainWindowDeviceTest, EnterWithChangesWritesFirst)
{
    CTovikEliteAppDlg& window = Open(0x0031);
    window.SetSettingsChanged();
    QTest::keyClick(&window, Qt::Key_Enter);
    ASSERT_TRUE(WaitUntil([&] { return mouse_->writeRequests == 1; }));
    ASSERT_TRUE(WaitUntil([&] { return window.isEnabled() && !window.HasTimer(MainTimer::EndOfWriteThenClose); }));
    EXPECT_FALSE(window.IsEnded()) << "nothing was written, so Enter must not close";
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.IsEnded());
    EXPECT_EQ(window.EndResult(), IDCANCEL);
}

} // namespace
