// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/FaultInjection.h"

#include "emulator/FaultState.h"

#include <mutex>
#include <set>
#include <utility>

namespace emulator {

namespace {

struct Faults {
    std::mutex mutex;
    std::map<std::string, uint64_t, std::less<>> counts;
    uint64_t total = 0;
    uint64_t failAt = 0; // absolute call number that fails; 0 none
    std::set<std::string, std::less<>> failing;
    bool unplugArmed = false;
    uint64_t unplugBudget = 0;
    bool corruptRead = false;
};

Faults& State()
{
    static Faults faults;
    return faults;
}

} // namespace

void FaultInjection::Reset()
{
    Faults& f = State();
    std::lock_guard lock(f.mutex);
    f.counts.clear();
    f.total = 0;
    f.failAt = 0;
    f.failing.clear();
    f.unplugArmed = false;
    f.unplugBudget = 0;
    f.corruptRead = false;
}

void FaultInjection::FailNthCall(uint64_t n)
{
    Faults& f = State();
    std::lock_guard lock(f.mutex);
    f.failAt = n == 0 ? 0 : f.total + n;
}

void FaultInjection::FailOperation(std::string_view operation)
{
    Faults& f = State();
    std::lock_guard lock(f.mutex);
    f.failing.emplace(operation);
}

void FaultInjection::AllowOperation(std::string_view operation)
{
    Faults& f = State();
    std::lock_guard lock(f.mutex);
    if (const auto found = f.failing.find(operation); found != f.failing.end())
        f.failing.erase(found);
}

void FaultInjection::UnplugAfterCalls(uint64_t calls)
{
    Faults& f = State();
    std::lock_guard lock(f.mutex);
    f.unplugArmed = true;
    f.unplugBudget = calls;
}

void FaultInjection::CorruptNextImageRead()
{
    Faults& f = State();
    std::lock_guard lock(f.mutex);
    f.corruptRead = true;
}

uint64_t FaultInjection::CallCount(std::string_view operation)
{
    Faults& f = State();
    std::lock_guard lock(f.mutex);
    const auto found = f.counts.find(operation);
    return found == f.counts.end() ? 0 : found->second;
}

uint64_t FaultInjection::TotalCalls()
{
    Faults& f = State();
    std::lock_guard lock(f.mutex);
    return f.total;
}

std::map<std::string, uint64_t> FaultInjection::CallCounts()
{
    Faults& f = State();
    std::lock_guard lock(f.mutex);
    return {f.counts.begin(), f.counts.end()};
}

void FaultInjection::ResetCounters()
{
    Faults& f = State();
    std::lock_guard lock(f.mutex);
    // The armed n-th call keeps its distance from now.
    if (f.failAt > f.total)
        f.failAt -= f.total;
    else
        f.failAt = 0;
    f.counts.clear();
    f.total = 0;
}

HRESULT CheckCall(std::string_view operation, const std::function<void()>& unplug)
{
    bool unplugNow = false;
    HRESULT result = S_OK;
    {
        Faults& f = State();
        std::lock_guard lock(f.mutex);
        ++f.total;
        ++f.counts[std::string(operation)];
        if (f.unplugArmed) {
            if (f.unplugBudget > 0) {
                --f.unplugBudget;
            } else if (unplug) { // a due unplug waits for the next call that has a device
                f.unplugArmed = false;
                unplugNow = true;
            }
        }
        if (f.failAt != 0 && f.total == f.failAt) {
            f.failAt = 0;
            result = E_FAIL;
        }
        if (f.failing.count(operation))
            result = E_FAIL;
    }
    if (unplugNow)
        unplug(); // outside the lock: it takes the device's lock and touches files
    return result;
}

bool TakeCorruptRead()
{
    Faults& f = State();
    std::lock_guard lock(f.mutex);
    return std::exchange(f.corruptRead, false);
}

} // namespace emulator
