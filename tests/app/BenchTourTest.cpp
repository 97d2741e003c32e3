// SPDX-License-Identifier: GPL-3.0-or-later
// The bench tour in the real main window over the emulated device: it runs only
// when asked for, makes every page, writes its one change for real, and never
// reports a stall for a write that did not reach the device.
#include "AppTestSupport.h"

#include "app/StartupMilestones.h"
#include "emulator/FaultInjection.h"
#include "emulator/Operations.h"

#include <algorithm>
#include <fstream>

namespace {

constexpr int kPages[] = {PageBit::ButtonAssignment, PageBit::Performance, PageBit::Profiles, PageBit::Macros,
                          PageBit::Lighting};

class BenchTourTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        milestones_ = temp_ / "milestones.txt";
        setenv(kMilestonesVariable, milestones_.c_str(), 1);
        setenv(kBenchTourVariable, "1", 1);
    }
    void TearDown() override
    {
        unsetenv(kMilestonesVariable);
        unsetenv(kBenchTourVariable);
        AppTest::TearDown();
    }

    // The names of the milestone lines, in the order they were written.
    std::vector<std::string> Milestones() const
    {
        std::ifstream file(milestones_);
        std::vector<std::string> names;
        std::string line;
        while (std::getline(file, line))
            names.push_back(line.substr(0, line.find(' ')));
        return names;
    }
    bool Reported(const std::string& name) const
    {
        const auto names = Milestones();
        return std::find(names.begin(), names.end(), name) != names.end();
    }

    std::filesystem::path milestones_;
};

TEST_F(BenchTourTest, EveryPageIsMadeThenTheChangeIsWrittenAndItsStallReported)
{
    Plug(0x0031);
    const uint32_t sleepBefore = Image(0x0031).sleepTimeout;
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntil([&] { return Reported("stall-apply"); }));
        for (const int page : kPages)
            EXPECT_NE(window.Page(page), nullptr) << "page " << page << " was never shown";
        EXPECT_EQ(window.CurrentPage(), window.Page(PageBit::ButtonAssignment));
        EXPECT_EQ(window.WritesStarted(), 1);
        EXPECT_FALSE(window.AreSettingsChanged());
    });
    EXPECT_NE(Image(0x0031).sleepTimeout, sleepBefore) << "the tour's change did not reach the device";
    // Memory is read at "pages-visited": it must come before the write.
    const auto names = Milestones();
    const auto visited = std::find(names.begin(), names.end(), "pages-visited");
    const auto stall = std::find(names.begin(), names.end(), "stall-apply");
    EXPECT_LT(visited, stall);
    EXPECT_EQ(std::count(names.begin(), names.end(), "stall-apply"), 1);
    EXPECT_FALSE(Reported("apply-failed"));
}

TEST_F(BenchTourTest, ARefusedWriteIsReportedAsFailedWithoutAStall)
{
    Plug(0x0031);
    emulator::FaultInjection::FailOperation(emulator::op::PowerSetSleepTimeout);
    ModalScript::EndNextRun("WriteFailedPopup.xml", IDOK);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntil([&] { return Reported("apply-failed"); }));
        ASSERT_TRUE(WaitUntil([&] { return WasRun("WriteFailedPopup.xml"); }));
        (void)window;
    });
    emulator::FaultInjection::AllowOperation(emulator::op::PowerSetSleepTimeout);
    EXPECT_FALSE(Reported("stall-apply"));
}

TEST_F(BenchTourTest, WithoutEitherVariableTheWindowIsLeftAlone)
{
    Plug(0x0031);
    const uint32_t sleepBefore = Image(0x0031).sleepTimeout;
    for (const char* kept : {kMilestonesVariable, kBenchTourVariable}) {
        SCOPED_TRACE(kept);
        unsetenv(kMilestonesVariable);
        unsetenv(kBenchTourVariable);
        setenv(kept, kept == kMilestonesVariable ? milestones_.c_str() : "1", 1);
        RunApp([&](CTovikEliteAppDlg& window) {
            // A tour would have shown its first page in the same step that ends the read.
            ASSERT_TRUE(WaitUntil([&] { return window.IsFirstReadDone(); }));
            EXPECT_EQ(window.Page(PageBit::Performance), nullptr);
            EXPECT_FALSE(window.HasTimer(MainTimer::StartWrite));
            EXPECT_EQ(window.WritesStarted(), 0);
        });
        EXPECT_FALSE(Reported("pages-visited"));
    }
    EXPECT_EQ(Image(0x0031).sleepTimeout, sleepBefore);
}

} // namespace
