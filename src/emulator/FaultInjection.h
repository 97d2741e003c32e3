// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Faults and call counters of the emulated device server, for tests in the same
// process. Every counted server call (each interface slot after the IUnknown
// three, named in "emulator/Operations.h") goes through one check:
//   1. it is counted (per operation name and in total), also when it then fails;
//   2. an armed unplug whose call budget is used up unplugs the called device;
//   3. the call fails with E_FAIL when it is the n-th call armed by FailNthCall
//      or its operation is named by FailOperation.
// A failed call changes nothing. Everything here is process-wide and thread-safe.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace emulator {

class FaultInjection {
public:
    // Clears every rule and every counter.
    static void Reset();

    // The n-th counted call from now (1-based) fails; 0 disarms.
    static void FailNthCall(uint64_t n);
    // Every call of the operation fails until Reset or AllowOperation.
    static void FailOperation(std::string_view operation);
    static void AllowOperation(std::string_view operation);
    // The next `calls` calls run normally; the one after that finds its device
    // unplugged (the attachment is removed from the device directory, so every
    // later call fails too and enumeration no longer lists it). When that call
    // is an enumerator call, the next call to a device's object does it.
    static void UnplugAfterCalls(uint64_t calls);
    // The next read of a device's stored image sees damaged bytes: that call fails
    // with E_FILE_CORRUPT; the file itself is left alone.
    static void CorruptNextImageRead();

    static uint64_t CallCount(std::string_view operation);
    static uint64_t TotalCalls();
    // Every operation called since the last Reset, with its count.
    static std::map<std::string, uint64_t> CallCounts();
    // Counters only (the rules stay).
    static void ResetCounters();
};

} // namespace emulator
