// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Device traffic measured in this process, through the real device layer and the
// emulated device server in a private device directory: how many server calls a
// read and an Apply of each kind of change make, and how long they take.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class FigureTable;

struct TrafficOptions {
    std::filesystem::path directory; // created; must not exist yet
    int runs = 7;
    int defaultLatencyMs = 15; // the emulator's latency model
    // The large image: profiles, and macros of this many events each.
    int profiles = 5;
    int macros = 64;
    int macroEvents = 2000;
};

// Device-server calls that changed the device since the counters were last reset.
uint64_t ChangingDeviceCalls();

// Adds the figures of the "read", "apply", "scale" and "emulator" sections.
// Returns false (with `error`) when the device cannot be prepared or read.
bool MeasureDeviceTraffic(const TrafficOptions& options, FigureTable& table, std::string& error);
