// SPDX-License-Identifier: GPL-3.0-or-later
// Device calls that fail, injected into the emulator of this process, with the
// program's commands run in this process through its library: nothing is
// reported done that did not arrive.
#include "CtlFixture.h"

#include "ctl/Ctl.h"
#include "emulator/FaultInjection.h"

#include <cstdio>

namespace {

struct InProcessResult {
    int exitCode = -1;
    std::string err;
};

InProcessResult RunInProcess(const std::vector<std::string>& arguments)
{
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    InProcessResult result;
    result.exitCode = RunCtl(arguments, out, err);
    std::rewind(err);
    char buffer[1024];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, err)) > 0)
        result.err.append(buffer, n);
    std::fclose(out);
    std::fclose(err);
    return result;
}

} // namespace

TEST_F(CtlTest, AChangeTheDeviceDidNotKeepIsAFailureNotADone)
{
    const struct {
        const char* failing;
        std::vector<std::string> arguments;
    } cases[] = {
        {"Power.SetSleepTimeout", {"set", "sleep-minutes", "9"}},
        {"Sensitivity.Set", {"set", "sensitivity", "3200"}},
        // A light that fails leaves the others to be sent: the write is incomplete.
        {"Light.SetColour", {"set", "colour", "#102030"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failing);
        const std::string before = MemoryBytes();
        emulator::FaultInjection::FailOperation(c.failing);
        const InProcessResult r = RunInProcess(c.arguments);
        emulator::FaultInjection::Reset();
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_FALSE(r.err.empty());
        EXPECT_EQ(MemoryBytes(), before);
    }
    // Nothing is left behind that a later command would trip over.
    EXPECT_EQ(RunInProcess({"set", "colour", "#102030"}).exitCode, 0);
}
