// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppTestSupport.h"

#include <QAccessible>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <atomic>
#include <thread>

#include "app/ProgressPopup.h"
#include "controls/ControlFactories.h"
#include "controls/ProgressPanelItem.h"
#include "controls/TextItem.h"
#include "controls/accessibility/ControlAccessibility.h"
#include "device/ProgressMessenger.h"
#include "platform/HelperThread.h"
#include "popups/PopupBox.h"
#include "skin/AppPaths.h"
#include "skin/ItemIds.h"

namespace {

class ProgressPopupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetAppDirectory(TestAppDirectory());
        RegisterAllControls();
    }
    void TearDown() override { popup_.Close(); }

    void ShowPopup()
    {
        popup_.Show(u"ProgressPopup.xml", kProgressPopupTemplate, ItemId::PROG_PANEL_ITEM_POPUP,
                    ItemId::TEXT_PROGRESS_MESSAGE, ItemId::BUTTON_POPUP_CANCEL, nullptr);
        ASSERT_NE(popup_.Dialog(), nullptr);
        ASSERT_NE(popup_.Dialog()->ProgressPanel(), nullptr) << "the skin's progress panel was not bound";
    }
    CProgressPanelItem& Panel() { return *popup_.Dialog()->ProgressPanel(); }

    CTovikEliteProgressPopup popup_;
    CProgressMessenger source_;
};

TEST_F(ProgressPopupTest, SourceAttachedBeforeShowReachesTheDialog)
{
    popup_.Attach(&source_, u"Reading");
    EXPECT_TRUE(source_.Listeners().empty());
    ShowPopup();
    ASSERT_EQ(source_.Listeners().size(), 1u);
    EXPECT_EQ(source_.Listeners()[0], static_cast<HWND>(popup_.Dialog()));

    source_.SendProgress(40);
    source_.SendProgressText(u"PROFILE01");
    EXPECT_EQ(Panel().Percent(), 40);
    EXPECT_EQ(Panel().LineText(0), QStringLiteral("Reading"));
    EXPECT_EQ(Panel().LineText(1), QStringLiteral("PROFILE01"));
}

TEST_F(ProgressPopupTest, AttachingTwiceKeepsOneEntryAndTakesTheNewText)
{
    ShowPopup();
    popup_.Attach(&source_, u"first");
    popup_.Attach(&source_, u"second");
    popup_.Attach(nullptr, u"ignored");
    EXPECT_EQ(popup_.Sources().size(), 1u);
    EXPECT_EQ(source_.Listeners().size(), 1u);
    EXPECT_EQ(source_.GetText(), u"second");
    // Attaching without a text keeps the source's own.
    popup_.Attach(&source_);
    EXPECT_EQ(source_.GetText(), u"second");
}

TEST_F(ProgressPopupTest, PercentIsClampedAndStrangersAreIgnored)
{
    popup_.Attach(&source_, u"Writing");
    ShowPopup();
    source_.SendProgress(150);
    EXPECT_EQ(Panel().Percent(), 100);

    CProgressMessenger stranger;
    popup_.Dialog()->SendMessage(WM_DEVICE_PROGRESS, reinterpret_cast<WPARAM>(&stranger), 10);
    EXPECT_EQ(Panel().Percent(), 100);
}

TEST_F(ProgressPopupTest, StatusTextAndShowHideArriveInOrder)
{
    ShowPopup();
    ASSERT_NE(popup_.Dialog()->TextItem(), nullptr);
    popup_.SetText(u"first text, long enough to need storage of its own");
    popup_.SetText(u"Writing to the mouse");
    popup_.HidePopup();
    QCoreApplication::processEvents();
    EXPECT_EQ(popup_.Dialog()->TextItem()->GetText(), QStringLiteral("Writing to the mouse"));
    EXPECT_TRUE(popup_.Dialog()->isHidden());
    popup_.ShowPopup();
    QCoreApplication::processEvents();
    EXPECT_FALSE(popup_.Dialog()->isHidden());
}

// A screen reader meets a dialog named by what is under way, not a nameless
// filler carrying the program's title.
TEST_F(ProgressPopupTest, AssistiveToolsSeeADialogNamedByWhatItDoes)
{
    InstallControlAccessibility();
    ShowPopup();
    popup_.SetText(u"Writing to the mouse");
    QCoreApplication::processEvents();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(popup_.Dialog());
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Dialog);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Writing to the mouse"));
    popup_.SetText(u"Reading from the mouse");
    QCoreApplication::processEvents();
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Reading from the mouse"));

    // Its bar speaks for the source once one reports, and for the window before.
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(&Panel());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->role(), QAccessible::ProgressBar);
    EXPECT_EQ(bar->text(QAccessible::Name), QStringLiteral("Reading from the mouse"));
    popup_.Attach(&source_, u"Reading");
    source_.SendProgressText(u"PROFILE01");
    EXPECT_EQ(bar->text(QAccessible::Name), QStringLiteral("Reading"));
    EXPECT_EQ(bar->text(QAccessible::Description), QStringLiteral("PROFILE01"));
}

TEST_F(ProgressPopupTest, CloseWithoutPopupKeepsTheSources)
{
    popup_.Attach(&source_, u"Reading");
    popup_.Close();
    EXPECT_FALSE(popup_.HasThread());
    EXPECT_EQ(popup_.Sources().size(), 1u);
    // Nothing without a popup, and no crash.
    popup_.SetText(u"x");
    popup_.ShowPopup();
    popup_.HidePopup();
}

TEST_F(ProgressPopupTest, CloseThenShowStartsAFreshPopupWithoutTheOldSources)
{
    popup_.Attach(&source_, u"Reading");
    ShowPopup();
    QPointer<CProgressPopupDlg> first = popup_.Dialog();
    popup_.Close();
    EXPECT_FALSE(popup_.HasThread());
    EXPECT_TRUE(popup_.Sources().empty());
    EXPECT_TRUE(source_.Listeners().empty());
    EXPECT_TRUE(first.isNull()) << "Close returned before the dialog was gone";

    ShowPopup();
    source_.SendProgress(77);
    EXPECT_EQ(Panel().Percent(), 0);
    popup_.Attach(&source_, u"again");
    source_.SendProgress(77);
    EXPECT_EQ(Panel().Percent(), 77);

    // A second Show while one runs changes nothing.
    CProgressPopupDlg* running = popup_.Dialog();
    popup_.Show(u"ReadingFromCorvanePopup.xml", kProgressPopupTemplate, ItemId::PROG_PANEL_ITEM_POPUP,
                ItemId::TEXT_PROGRESS_MESSAGE, ItemId::BUTTON_POPUP_CANCEL, nullptr);
    EXPECT_EQ(popup_.Dialog(), running);
    EXPECT_EQ(running->SkinFile(), u"ProgressPopup.xml");
}

TEST_F(ProgressPopupTest, ProgressFromAWorkerReachesTheDialogWhileTheGuiThreadWaits)
{
    popup_.Attach(&source_, u"Writing");
    ShowPopup();
    std::vector<int> seen;
    // The worker sends synchronously; the GUI thread serves the sends from the
    // local loop it waits in.
    RunOnHelperThread([&] {
        for (int percent : {10, 30, 60, 90, 100}) {
            source_.SendProgress(percent);
            source_.SendProgressText(u"PROFILE02");
        }
    });
    EXPECT_EQ(Panel().Percent(), 100);
    EXPECT_EQ(Panel().LineText(1), QStringLiteral("PROFILE02"));
    EXPECT_EQ(popup_.Dialog()->QueuedSends(), 0);
}

TEST_F(ProgressPopupTest, BothPopupsAreDrawnIntoTheBuildTreeWithTheirProgress)
{
    const QString folder = QStringLiteral(ZT_TEST_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    for (const char16_t* skin : {u"ReadingFromCorvanePopup.xml", u"ProgressPopup.xml"}) {
        popup_.Attach(&source_, u"Reading from the mouse");
        popup_.Show(skin, kProgressPopupTemplate, ItemId::PROG_PANEL_ITEM_POPUP, ItemId::TEXT_PROGRESS_MESSAGE,
                    ItemId::BUTTON_POPUP_CANCEL, nullptr);
        ASSERT_NE(popup_.Dialog(), nullptr);
        const QImage empty = popup_.Dialog()->grab().toImage();
        source_.SendProgress(60);
        source_.SendProgressText(u"PROFILE01");
        const QImage drawn = popup_.Dialog()->grab().toImage();
        EXPECT_NE(empty, drawn) << "progress did not change the picture";
        const QString name = QString::fromStdU16String(skin).replace(QStringLiteral(".xml"), QStringLiteral(".png"));
        EXPECT_TRUE(drawn.save(folder + QLatin1Char('/') + name));
        popup_.Close();
    }
}

// A damaged installation still shows that something runs: without its skin the
// popup stands in plainly at the template's size, with its text and the progress.
TEST_F(ProgressPopupTest, APopupWithoutItsSkinStillShowsProgress)
{
    popup_.Attach(&source_, u"Writing");
    popup_.Show(u"NoSuchProgressPopup.xml", kProgressPopupTemplate, ItemId::PROG_PANEL_ITEM_POPUP,
                ItemId::TEXT_PROGRESS_MESSAGE, ItemId::BUTTON_POPUP_CANCEL, nullptr);
    CProgressPopupDlg* dialog = popup_.Dialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(dialog->PlainProgressBar(), nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->size(), CPopupBox::TemplatePixelSize(PopupTemplate::Progress));
    popup_.SetText(u"Please wait");
    source_.SendProgress(40);
    source_.SendProgressText(u"PROFILE01");
    EXPECT_EQ(dialog->PlainProgressBar()->value(), 40);
    QString shown;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        shown.clear();
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            shown += label->text() + QLatin1Char('|');
        return shown.contains(QStringLiteral("Please wait"));
    }));
    EXPECT_TRUE(shown.contains(QStringLiteral("PROFILE01"))) << shown.toStdString();
    QDir().mkpath(QStringLiteral(ZT_TEST_SCREENSHOT_DIR));
    EXPECT_TRUE(dialog->grab().save(QStringLiteral(ZT_TEST_SCREENSHOT_DIR "/progress_plain_fallback.png")));
    popup_.Close();
    EXPECT_FALSE(popup_.HasThread());
}

} // namespace

// A worker keeps sending while the popup is shown and closed again and again:
// closing must wait for a send already under way, never leave it to a freed window.
TEST_F(ProgressPopupTest, ClosingWhileAWorkerSendsNeverReachesAFreedWindow)
{
    std::atomic<bool> stop{false};
    std::atomic<int> sent{0};
    std::thread worker([&] {
        for (int percent = 0; !stop.load(); percent = (percent + 1) % 101) {
            source_.SendProgress(percent);
            sent.fetch_add(1);
            std::this_thread::yield();
        }
    });
    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE(round);
        popup_.Attach(&source_, u"Writing");
        ShowPopup();
        const int before = sent.load();
        EXPECT_TRUE(QTest::qWaitFor([&] { return sent.load() > before + 2; }));
        popup_.Close();
        EXPECT_TRUE(source_.Listeners().empty());
    }
    stop.store(true);
    worker.join();
}
