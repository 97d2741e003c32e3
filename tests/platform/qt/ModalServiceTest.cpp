// SPDX-License-Identifier: GPL-3.0-or-later
// The modal seam: scripted answers for windows and dialogs, and real modal runs
// ended by the window itself.
#include "platform/ModalService.h"
#include "platform/SkinWindow.h"
#include "platform/core/FileNameText.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <thread>

namespace {

class ModalServiceTest : public ::testing::Test {
protected:
    void SetUp() override { ModalScript::Reset(); }
    void TearDown() override { ModalScript::Reset(); }
};

TEST_F(ModalServiceTest, ScriptedRunShowsTheWindowRunsTheActionAndEndsWithTheResult)
{
    CSkinWindow popup;
    bool visibleDuringAction = false;
    ModalScript::EndNextRun("MacroNamePopup.xml", IDOK, [&](CSkinWindow& w) {
        visibleDuringAction = w.isVisible();
        EXPECT_TRUE(w.IsInModalRun());
    });
    EXPECT_EQ(RunModal(popup, "MacroNamePopup.xml"), IDOK);
    EXPECT_TRUE(visibleDuringAction);
    EXPECT_FALSE(popup.isVisible());
    EXPECT_FALSE(popup.IsInModalRun());
    ASSERT_EQ(ModalScript::Records().size(), 1u);
    EXPECT_EQ(ModalScript::Records()[0].name, "MacroNamePopup.xml");
    EXPECT_TRUE(ModalScript::Records()[0].scripted);
    EXPECT_EQ(ModalScript::Records()[0].result, IDOK);
}

TEST_F(ModalServiceTest, ScriptMatchesByNameAndTheWindowsOwnEndWins)
{
    ModalScript::EndNextRun("B.xml", IDOK);
    ModalScript::EndNextRun("A.xml", IDOK, [](CSkinWindow& w) { w.EndModal(IDCANCEL); });
    CSkinWindow a, b;
    EXPECT_EQ(RunModal(a, "A.xml"), IDCANCEL) << "the popup ended itself with cancel";
    EXPECT_EQ(RunModal(b, "B.xml"), IDOK);
    EXPECT_EQ(ModalScript::PendingAnswers(), 0u);
}

TEST_F(ModalServiceTest, UnscriptedRunEndsWhenTheWindowCallsEndModalOrIsClosed)
{
    CSkinWindow popup;
    QTimer::singleShot(0, &popup, [&] { popup.EndModal(5); });
    EXPECT_EQ(RunModal(popup, "ChangeMousePopup.xml"), 5);

    QTimer::singleShot(0, &popup, [&] { popup.close(); });
    EXPECT_EQ(RunModal(popup, "ChangeMousePopup.xml"), IDCANCEL);
    EXPECT_FALSE(ModalScript::Records()[1].scripted);
}

TEST_F(ModalServiceTest, EndModalWhileBeingShownReturnsWithoutEnteringTheLoop)
{
    struct EndsOnShow : CSkinWindow {
        void showEvent(QShowEvent*) override { EndModal(IDOK); }
    } popup;
    EXPECT_EQ(RunModal(popup, "Quick.xml"), IDOK);
}

TEST_F(ModalServiceTest, AWindowAlreadyInARunCannotStartASecondOne)
{
    CSkinWindow popup;
    int inner = 0;
    ModalScript::EndNextRun("Outer.xml", IDOK, [&](CSkinWindow& w) { inner = RunModal(w, "Inner.xml"); });
    EXPECT_EQ(RunModal(popup, "Outer.xml"), IDOK) << "the refused inner run must not end the outer one";
    EXPECT_EQ(inner, IDCANCEL);
}

TEST_F(ModalServiceTest, WindowDestroyedDuringItsRunCountsAsCancel)
{
    auto* popup = new CSkinWindow;
    QTimer::singleShot(0, [popup] { delete popup; });
    EXPECT_EQ(RunModal(*popup, "Gone.xml"), IDCANCEL);
    EXPECT_EQ(ModalScript::Records().back().result, IDCANCEL);
}

TEST_F(ModalServiceTest, WorkerSendsGetThroughWhileAPopupRunsModally)
{
    // A write on the worker thread reports progress while the GUI thread sits in
    // a popup's modal loop; the popup ends the run once the last step arrived.
    struct ProgressPopup : CSkinWindow {
        LRESULT WindowProc(UINT msg, WPARAM, LPARAM lParam) override
        {
            if (msg != WM_DEVICE_PROGRESS)
                return 0;
            last = int(lParam);
            if (last == 100)
                EndModal(IDOK);
            return 1;
        }
        int last = 0;
    } popup;
    int answered = 0;
    std::thread worker([&] {
        for (int percent : {10, 30, 60, 90, 100})
            answered += int(::SendMessage(&popup, WM_DEVICE_PROGRESS, 0, percent));
    });
    EXPECT_EQ(RunModal(popup, "ProgressPopup.xml"), IDOK);
    worker.join();
    EXPECT_EQ(answered, 5);
    EXPECT_EQ(popup.last, 100);
}

TEST_F(ModalServiceTest, StrictModeRefusesUnexpectedRunsAndDialogs)
{
    ModalScript::SetStrict(true);
    CSkinWindow popup;
    EXPECT_EQ(RunModal(popup, "Unexpected.xml"), IDCANCEL);
    EXPECT_FALSE(popup.isVisible());
    EXPECT_FALSE(GetOpenFileName({}).has_value());
    EXPECT_FALSE(ChooseColor(RGB(1, 2, 3)).has_value());
    ASSERT_EQ(ModalScript::Records().size(), 3u);
    EXPECT_FALSE(ModalScript::Records()[0].scripted);
}

TEST_F(ModalServiceTest, FileAndColourDialogsAnswerInQueueOrderAndRecordTheRequest)
{
    ModalScript::AnswerNextOpenFile(u"/tmp/in.zmm");
    ModalScript::AnswerNextSaveFile(std::nullopt);
    ModalScript::AnswerNextFileDialog(u"/tmp/second.zmp");
    ModalScript::AnswerNextColour(RGB(0x12, 0x34, 0x56));
    ModalScript::AnswerNextColour(std::nullopt);

    FileDialogRequest request;
    request.filter = u"Zemko Tovik Macro Files (*.zmm)|*.zmm||";
    request.defaultExtension = u"zmm";
    EXPECT_EQ(GetSaveFileName(request), std::nullopt);
    EXPECT_EQ(GetOpenFileName(request), std::u16string(u"/tmp/in.zmm"));
    EXPECT_EQ(GetSaveFileName({}), std::u16string(u"/tmp/second.zmp")) << "either kind takes it";
    EXPECT_EQ(ChooseColor(0), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(ChooseColor(0), std::nullopt);

    const auto& records = ModalScript::Records();
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0].kind, ModalRecord::Kind::SaveFile);
    EXPECT_EQ(records[0].result, IDCANCEL);
    EXPECT_EQ(records[1].fileRequest.defaultExtension, u"zmm");
    EXPECT_EQ(records[1].result, IDOK);
    EXPECT_EQ(records[3].colour, RGB(0x12, 0x34, 0x56));
}

TEST_F(ModalServiceTest, ANameOfferedAsAFileNameNeverPicksAFolder)
{
    // What imported macro and profile names may hold.
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"Reload", u"Reload"},
        {u"../../.bashrc", u"_.._.bashrc"},
        {u"/etc/passwd", u"_etc_passwd"},
        {u"..\\..\\boot.ini", u"_.._boot.ini"},
        {u"..", u""},
        {u".hidden", u"hidden"},
        {u"two\nlines\x1b[2J\u009b", u"twolines[2J"},
        {u"exe\u202Etxt.zmm", u"exetxt.zmm"},
        {u"  spaced  ", u"spaced"},
        {u"Gr\u00fc\u00dfe \U0001F5B1", u"Gr\u00fc\u00dfe \U0001F5B1"},
    };
    for (const auto& [name, offered] : cases) {
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        ModalScript::AnswerNextSaveFile(std::nullopt);
        FileDialogRequest request;
        request.initialFileName = name;
        EXPECT_EQ(GetSaveFileName(request), std::nullopt);
        ASSERT_FALSE(ModalScript::Records().empty());
        EXPECT_EQ(ModalScript::Records().back().fileRequest.initialFileName, offered);
    }
    const std::u16string longName(400, u'\u00e9'); // two bytes each in UTF-8
    EXPECT_EQ(SafeFileNameFrom(longName).size(), 127u);
}

TEST(FileDialogFilter, PipePairsBecomeQtFilters)
{
    EXPECT_EQ(QtFilterFromPairs(u"zmm Macro Files (*.zmm)|*.zmm||"), u"zmm Macro Files (*.zmm)");
    EXPECT_EQ(QtFilterFromPairs(u"Profiles|*.zmp|All|*.zmp;*.zmm||"), u"Profiles (*.zmp);;All (*.zmp *.zmm)");
    EXPECT_EQ(QtFilterFromPairs(u""), u"");
    EXPECT_EQ(QtFilterFromPairs(u"Dangling"), u"");
}

} // namespace
