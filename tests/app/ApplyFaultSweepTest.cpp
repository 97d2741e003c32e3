// SPDX-License-Identifier: GPL-3.0-or-later
// An Apply that changes every group, in the real main window over the emulated
// device, with each of its device calls failing in turn and with the mouse pulled
// out after each number of calls. Whatever goes wrong, the program neither
// crashes nor hangs, says so when something did not reach the device, keeps
// what did not reach it pending, and a retry leaves the device holding every
// change. The normal suite takes the first three calls (the look for the mouse)
// and every sixth after them; the long test, run when ZT_LONG_TESTS is set,
// takes every call.
#include "AppTestSupport.h"

#include "controls/BitmapBtn.h"
#include "emulator/FaultInjection.h"
#include "emulator/Operations.h"
#include "emulator/Products.h"
#include "support/EveryGroupChange.h"
#include "support/ImageFields.h"

#include <cstdio>

namespace {

constexpr uint32_t kProduct = 0x0031;

bool IsIdle(CTovikEliteAppDlg& window)
{
    return window.IsFirstReadDone() && !window.HasTimer(MainTimer::StartWrite) &&
           !window.HasTimer(MainTimer::EndOfTransfer) && window.Device() && !window.Device()->IsBusy() &&
           window.isEnabled();
}

size_t Runs(std::string_view name)
{
    size_t runs = 0;
    for (const ModalRecord& record : ModalScript::Records())
        runs += record.name == name ? 1 : 0;
    return runs;
}

// How one faulted Apply ended.
struct Outcome {
    bool toldWriteFailed = false;
    bool toldNoMouse = false;
    bool windowEnded = false;
    bool changesPending = false;
    uint64_t calls = 0; // device calls from the click until the Apply was over
};

class ApplyFaultSweepTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        Plug(kProduct);
        factory_ = Image(kProduct);
    }

    // Lets the window settle after its first read and keeps it from calling the
    // device on its own: the battery poll would otherwise take call numbers
    // meant for the write.
    static void Settle(CTovikEliteAppDlg& window)
    {
        ASSERT_TRUE(WaitUntil([&] { return IsIdle(window); }));
        window.KillTimer(MainTimer::Status);
        ASSERT_TRUE(WaitUntil([] { return emulator::FaultInjection::CallCount(emulator::op::BatteryGetLevel) > 0; }));
    }

    static void ChangeEverything(CTovikEliteAppDlg& window)
    {
        ASSERT_TRUE(ChangeEveryGroup(*window.Config()));
        // The pages made so far show what the configuration now holds, as after any
        // edit; the others fill themselves when first shown.
        for (int bit :
             {PageBit::Profiles, PageBit::ButtonAssignment, PageBit::Macros, PageBit::Performance, PageBit::Lighting})
            if (CMainWindowPage* page = window.Page(bit))
                page->OnDeviceChanged(window, *window.Config());
        window.ProfileStrip().OnDeviceChanged(window, *window.Config());
        window.SetSettingsChanged();
    }

    static void ClickApply(CTovikEliteAppDlg& window)
    {
        CBitmapBtn* apply = window.ApplyButton();
        ASSERT_NE(apply, nullptr);
        ASSERT_TRUE(apply->isEnabled());
        QTest::mouseClick(apply, Qt::LeftButton, {}, apply->rect().center());
    }

    // One Apply of every change in a fresh window, with `arm` run just before the
    // click; `after` runs in the window once the Apply is over (if it is still open).
    Outcome ApplyOnce(const std::function<void()>& arm, const std::function<void(CTovikEliteAppDlg&)>& after = {})
    {
        Outcome outcome;
        ModalScript::Reset();
        ModalScript::SetStrict(true); // unexpected popups are recorded and cancelled
        emulator::FaultInjection::Reset();
        RunApp([&](CTovikEliteAppDlg& window) {
            Settle(window);
            ChangeEverything(window);
            const int writes = window.WritesStarted();
            emulator::FaultInjection::ResetCounters();
            arm();
            ClickApply(window);
            // Over when the window is gone, or when it is idle again after a
            // write or a failed start (which is told at once).
            const bool over = WaitUntil([&] {
                return window.IsEnded() ||
                       (IsIdle(window) && (window.WritesStarted() > writes || Runs("WriteFailedPopup.xml") > 0));
            });
            ASSERT_TRUE(over) << "the Apply never ended";
            outcome.calls = emulator::FaultInjection::TotalCalls();
            emulator::FaultInjection::Reset();
            outcome.windowEnded = window.IsEnded();
            outcome.changesPending = window.AreSettingsChanged();
            if (!outcome.windowEnded && after)
                after(window);
        });
        outcome.toldWriteFailed = Runs("WriteFailedPopup.xml") > 0;
        outcome.toldNoMouse = Runs("NoMousePopup.xml") > 0;
        return outcome;
    }

    // The image a fault-free Apply of every change leaves, and the number of
    // device calls that Apply makes.
    void Reference()
    {
        Store(factory_);
        const Outcome outcome =
            ApplyOnce([] {}, [&](CTovikEliteAppDlg& window) { EXPECT_FALSE(window.AreSettingsChanged()); });
        ASSERT_FALSE(outcome.toldWriteFailed || outcome.toldNoMouse || outcome.windowEnded);
        referenceImage_ = Image(kProduct);
        reference_ = FieldsOf(referenceImage_);
        calls_ = outcome.calls;
        // Every group reached the device, so the sweep below proves something.
        const ImageFields factory = FieldsOf(factory_);
        for (const char* key : {"profile count",
                                "macro count",
                                "active profile",
                                "profile 0 name",
                                "profile 0 option 1",
                                "profile 0 option 0",
                                "profile 0 program",
                                "profile 0 button 8",
                                "profile 0 stages",
                                "profile 0 current stage",
                                "profile 0 sensitivity",
                                "profile 0 light 1 on",
                                "profile 0 light 3 colour",
                                "report interval",
                                "acceleration",
                                "acceleration level",
                                "battery warning",
                                "dim brightness",
                                "sleep timeout",
                                "calibration",
                                "lift-off mode",
                                "lift-off"}) {
            SCOPED_TRACE(key);
            ASSERT_TRUE(reference_.count(key));
            EXPECT_NE(reference_.at(key), factory.count(key) ? factory.at(key) : "") << "not changed by the Apply";
        }
        std::printf("[ fault sweep ] a fault-free Apply of every group makes %llu device calls\n",
                    static_cast<unsigned long long>(calls_));
    }

    // Fails call `index` of the Apply; a reported failure is retried in the same
    // window once the fault has cleared.
    void FailCall(uint64_t index)
    {
        SCOPED_TRACE("call " + std::to_string(index) + " fails");
        Store(factory_);
        const Outcome outcome =
            ApplyOnce([&] { emulator::FaultInjection::FailNthCall(index); },
                      [&](CTovikEliteAppDlg& window) {
                          if (Runs("WriteFailedPopup.xml") == 0)
                              return;
                          EXPECT_TRUE(window.AreSettingsChanged()) << "a failed write forgot what it did not send";
                          EXPECT_TRUE(window.ApplyButton()->isEnabled());
                          EXPECT_EQ(DescribeTornValues(factory_, referenceImage_, Image(kProduct),
                                                       *emulator::FindProduct(kProduct)),
                                    "");
                          const int writes = window.WritesStarted();
                          ClickApply(window);
                          ASSERT_TRUE(WaitUntil([&] { return window.WritesStarted() > writes && IsIdle(window); }));
                          EXPECT_FALSE(window.AreSettingsChanged()) << "the retry did not finish the write";
                      });
        EXPECT_FALSE(outcome.windowEnded)
            << "a failed call closed the window" << (outcome.toldNoMouse ? " as if the mouse were gone" : "");
        EXPECT_FALSE(outcome.toldNoMouse) << "a failed call was taken for a missing mouse";
        if (!outcome.toldWriteFailed)
            ++silentCases_; // a call whose failure the write gets over by itself
        EXPECT_EQ(DescribeDifferences(reference_, FieldsOf(Image(kProduct))), "")
            << (outcome.toldWriteFailed ? "the retry did not land every change"
                                        : "a write that lost changes was not reported");
        ++cases_;
    }

    // Pulls the mouse out after `calls` calls of the Apply: the user is told, the
    // device keeps a whole image with each value old or new, and once it is back
    // the same change applied in a new window lands every change.
    void UnplugAfter(uint64_t calls)
    {
        SCOPED_TRACE("unplugged after " + std::to_string(calls) + " calls");
        Store(factory_);
        const Outcome outcome = ApplyOnce([&] { emulator::FaultInjection::UnplugAfterCalls(calls); });
        EXPECT_TRUE(outcome.toldWriteFailed || outcome.toldNoMouse) << "nobody was told of the lost mouse";
        EXPECT_TRUE(outcome.windowEnded || outcome.changesPending) << "the unsent changes were marked as written";
        std::string error;
        const auto image = Directory().LoadImage(kProduct, error);
        ASSERT_TRUE(image) << error;
        EXPECT_EQ(DescribeTornValues(factory_, referenceImage_, *image, *emulator::FindProduct(kProduct)), "");

        Plug(kProduct);
        const Outcome retry = ApplyOnce([] {});
        EXPECT_FALSE(retry.toldWriteFailed || retry.toldNoMouse || retry.windowEnded);
        emulator::DeviceImage after = Image(kProduct);
        halfMadeItems_ += RemoveHalfMadeItems(after);
        EXPECT_EQ(DescribeDifferences(reference_, FieldsOf(after)), "");
        ++cases_;
    }

    // Fails every `stride`-th call of the Apply (and each of the first three), then
    // unplugs after every `unplugStride`-th number of calls; 0 leaves either out.
    void Sweep(uint64_t stride, uint64_t unplugStride)
    {
        ASSERT_NO_FATAL_FAILURE(Reference());
        ASSERT_GT(calls_, 10u);
        size_t failed = 0, unplugged = 0;
        // The first calls look for the mouse before the write starts; a failure
        // there must not pass for an unplug, so each of them is always tried.
        constexpr uint64_t kLookingCalls = 3;
        for (uint64_t index = 1; stride && index <= calls_ && !HasFatalFailure();
             index += index < kLookingCalls ? 1 : stride, ++failed)
            FailCall(index);
        for (uint64_t calls = 0; unplugStride && calls < calls_ && !HasFatalFailure();
             calls += unplugStride, ++unplugged)
            UnplugAfter(calls);
        std::printf("[ fault sweep ] %zu cases over an Apply of %llu calls: %zu with one failed call (every %llu), "
                    "%zu unplugged after n calls (every %llu); %zu failures the write got over by itself; %zu unnamed "
                    "profiles or macros left behind by an unplug\n",
                    cases_, static_cast<unsigned long long>(calls_), failed, static_cast<unsigned long long>(stride),
                    unplugged, static_cast<unsigned long long>(unplugStride), silentCases_, halfMadeItems_);
    }

    emulator::DeviceImage factory_;
    ImageFields reference_;
    emulator::DeviceImage referenceImage_;
    uint64_t calls_ = 0;
    size_t cases_ = 0;
    size_t silentCases_ = 0;
    size_t halfMadeItems_ = 0;
};

} // namespace

// Most of a case is spent in the window's timers, yet sanitized builds are slow
// enough to need a wider stride to stay within the suite's time per test.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr uint64_t kNormalStride = 12;
#else
constexpr uint64_t kNormalStride = 6;
#endif

TEST_F(ApplyFaultSweepTest, EverySixthCallFailingIsToldKeptAndRetried)
{
    Sweep(kNormalStride, 0);
}

TEST_F(ApplyFaultSweepTest, UnpluggingAfterEverySixthCallIsToldAndLeavesAWholeImage)
{
    Sweep(0, kNormalStride);
}

TEST_F(ApplyFaultSweepTest, LongEveryCallFailingOrUnpluggingIsToldKeptAndRetried)
{
    const char* wanted = std::getenv("ZT_LONG_TESTS");
    if (!wanted || !*wanted)
        GTEST_SKIP() << "set ZT_LONG_TESTS=1 to fail every call of the Apply and unplug after every call";
    Sweep(1, 1);
}
