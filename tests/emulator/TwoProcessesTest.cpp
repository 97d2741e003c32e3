// SPDX-License-Identifier: GPL-3.0-or-later
// A process writing every group of a configuration while the device tool, in
// processes of its own, changes the battery level of the same mouse, and pulls
// it out and plugs it back in: no image is ever torn, neither side's change is
// lost, and a write the unplug cut short says so. Seeded; the seed is printed
// (set ZT_RACE_SEED to replay one).
#include "support/ChildProcess.h"
#include "support/ImageFields.h"
#include "support/WriterProcessTest.h"

#include <cstdio>
#include <random>
#include <thread>

namespace {

constexpr int kRounds = 6;

class TwoProcessesTest : public WriterProcessTest {
protected:
    void SetUp() override
    {
        WriterProcessTest::SetUp();
        ChildProcess writer(ZT_CONFIG_WRITER);
        EXPECT_EQ(writer.ExitCode(), 0);
        written_ = Image(kProduct);
        seed_ = SeedFrom("ZT_RACE_SEED");
        random_.seed(seed_);
    }

    // Runs the device tool to its end; its exit code.
    int Tool(const std::vector<std::string>& arguments)
    {
        std::vector<std::string> all{"--dir", devicePath().string()};
        all.insert(all.end(), arguments.begin(), arguments.end());
        ChildProcess tool(ZT_DEVICES_TOOL, all);
        return tool.ExitCode();
    }

    // Sets battery levels one after another until the writer has ended; the
    // level the device must end up with.
    uint32_t ChangeBatteryUntilTheEnd(ChildProcess& writer, const std::function<void(int)>& between = {})
    {
        std::uniform_int_distribution<uint32_t> levels(0, 255);
        uint32_t last = factory_.batteryLevel;
        for (int change = 0;; ++change) {
            const uint32_t level = levels(random_);
            if (Tool({"set-battery", "0x0031", std::to_string(level)}) == 0)
                last = level;
            ++batteryChanges_;
            if (between)
                between(change);
            if (writer.NextLine(0)) // the writer prints nothing more until it ends
                break;
        }
        return last;
    }

    emulator::DeviceImage written_;
    uint32_t seed_ = 0;
    int batteryChanges_ = 0;
    std::mt19937 random_;
};

} // namespace

TEST_F(TwoProcessesTest, BatteryChangesDuringAWriteAndTheWriteBothSurvive)
{
    std::printf("[ two processes ] seed %u (ZT_RACE_SEED replays it)\n", seed_);
    for (int round = 0; round < kRounds && !HasFailure(); ++round) {
        SCOPED_TRACE("round " + std::to_string(round) + ", seed " + std::to_string(seed_));
        Store(factory_);
        ChildProcess writer(ZT_CONFIG_WRITER);
        ASSERT_TRUE(writer.WaitForLine("read"));
        const uint32_t level = ChangeBatteryUntilTheEnd(writer);
        EXPECT_EQ(writer.ExitCode(), 0) << "the write failed although the mouse stayed";

        emulator::DeviceImage expected = written_;
        expected.batteryLevel = level;
        EXPECT_EQ(DescribeDifferences(FieldsOf(expected), FieldsOf(Image(kProduct))), "");
    }
    std::printf("[ two processes ] %d writes, %d battery changes by the tool while they ran\n", kRounds,
                batteryChanges_);
}

TEST_F(TwoProcessesTest, AnUnplugDuringAWriteIsReportedAndTearsNothing)
{
    std::printf("[ two processes ] seed %u (ZT_RACE_SEED replays it)\n", seed_);
    int failedWrites = 0;
    for (int round = 0; round < kRounds && !HasFailure(); ++round) {
        SCOPED_TRACE("round " + std::to_string(round) + ", seed " + std::to_string(seed_));
        Store(factory_);
        ChildProcess writer(ZT_CONFIG_WRITER);
        ASSERT_TRUE(writer.WaitForLine("read"));
        // The mouse goes away after a random number of battery changes and comes
        // back after the next one.
        const int unplugAt = std::uniform_int_distribution<int>(0, 6)(random_);
        bool unplugged = false;
        const uint32_t level = ChangeBatteryUntilTheEnd(writer, [&](int change) {
            if (change == unplugAt) {
                ASSERT_EQ(Tool({"unplug", "0x0031"}), 0);
                unplugged = true;
            } else if (change == unplugAt + 1) {
                ASSERT_EQ(Tool({"plug", "0x0031"}), 0);
            }
        });
        const int exitCode = writer.ExitCode();
        ASSERT_TRUE(exitCode == 0 || exitCode == 1) << exitCode;
        Plug(kProduct); // back in, if the writer ended before the tool plugged it

        emulator::DeviceImage expected = written_;
        expected.batteryLevel = level;
        emulator::DeviceImage before = factory_;
        before.batteryLevel = level;
        const emulator::DeviceImage image = Image(kProduct);
        EXPECT_EQ(image.batteryLevel, level) << "a battery change was lost";
        if (exitCode == 0) {
            EXPECT_EQ(DescribeDifferences(FieldsOf(expected), FieldsOf(image)), "")
                << "the write said it was done but the device lacks part of it";
        } else {
            ++failedWrites;
            EXPECT_TRUE(unplugged) << "the write failed although the mouse stayed";
            EXPECT_EQ(DescribeTornValues(before, expected, image, *emulator::FindProduct(kProduct)), "");
        }
    }
    std::printf("[ two processes ] %d writes with an unplug, %d cut short and reported, %d battery changes\n", kRounds,
                failedWrites, batteryChanges_);
}
