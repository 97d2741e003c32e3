// SPDX-License-Identifier: GPL-3.0-or-later
// A process writing every group of a configuration is killed at random points of
// its write: afterwards every device image still loads, and every value it holds
// is either the one from before the write or the one the write was sending.
// A new write over what the killed one left finishes the change. The points
// are drawn from a seed that is printed (set ZT_KILL_SEED to replay
// one) and spread over the time a whole write takes.
#include "support/ChildProcess.h"
#include "support/ImageFields.h"
#include "support/WriterProcessTest.h"

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

namespace {

constexpr int kRounds = 24;

class KilledWriteTest : public WriterProcessTest {
protected:
    // Runs the writer to its end; the time its write takes.
    std::chrono::microseconds WriteWhole()
    {
        ChildProcess writer(ZT_CONFIG_WRITER);
        EXPECT_TRUE(writer.running());
        EXPECT_TRUE(writer.WaitForLine("read"));
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(writer.WaitForLine("written"));
        const auto end = std::chrono::steady_clock::now();
        EXPECT_EQ(writer.ExitCode(), 0);
        return std::chrono::duration_cast<std::chrono::microseconds>(end - start);
    }

    size_t LeftoverFiles() const
    {
        size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(devicePath()))
            count += entry.path().filename().string().find(".tmp.") != std::string::npos ? 1 : 0;
        return count;
    }
};

} // namespace

TEST_F(KilledWriteTest, EveryImageLoadsAndHoldsOldOrNewValuesWhereverTheWriterDies)
{
    const auto duration = WriteWhole();
    const emulator::DeviceImage written = Image(kProduct);
    ASSERT_NE(DescribeDifferences(FieldsOf(factory_), FieldsOf(written)), "");

    const uint32_t seed = SeedFrom("ZT_KILL_SEED");
    std::printf("[ killed write ] seed %u (ZT_KILL_SEED replays it), a whole write takes %lld us\n", seed,
                static_cast<long long>(duration.count()));
    std::mt19937 random(seed);
    // A little past the end too: a kill after the last call must change nothing.
    std::uniform_int_distribution<long long> killAfter(0, duration.count() + duration.count() / 10);

    int killedMidWrite = 0;
    size_t halfMade = 0;
    for (int round = 0; round < kRounds && !HasFailure(); ++round) {
        const long long pointUs = killAfter(random);
        SCOPED_TRACE("round " + std::to_string(round) + ", seed " + std::to_string(seed) + ", killed after " +
                     std::to_string(pointUs) + " us");
        Store(factory_);
        ChildProcess writer(ZT_CONFIG_WRITER);
        ASSERT_TRUE(writer.running());
        ASSERT_TRUE(writer.WaitForLine("read"));
        std::this_thread::sleep_for(std::chrono::microseconds(pointUs));
        writer.Kill();
        const std::optional<int> status = writer.Wait();
        ASSERT_TRUE(status);
        killedMidWrite += WIFSIGNALED(*status) ? 1 : 0;

        for (uint32_t product : {0x0031u, 0x0032u, 0x0013u, 0x001Bu}) {
            if (!directory().HasImage(product))
                continue;
            std::string error;
            EXPECT_TRUE(directory().LoadImage(product, error)) << error;
        }
        std::string error;
        const auto image = directory().LoadImage(kProduct, error);
        ASSERT_TRUE(image) << error;
        EXPECT_EQ(DescribeTornValues(factory_, written, *image, *emulator::FindProduct(kProduct)), "");

        // The next run reads what the dead one left and finishes its change.
        ChildProcess again(ZT_CONFIG_WRITER);
        EXPECT_EQ(again.ExitCode(), 0) << "what the killed write left cannot be read or written";
        emulator::DeviceImage finished = Image(kProduct);
        halfMade += RemoveHalfMadeItems(finished);
        EXPECT_EQ(DescribeDifferences(FieldsOf(written), FieldsOf(finished)), "");
    }
    std::printf("[ killed write ] %d rounds, %d killed before the write ended; %zu temporary files and %zu unnamed "
                "profiles or macros left behind\n",
                kRounds, killedMidWrite, LeftoverFiles(), halfMade);
}
