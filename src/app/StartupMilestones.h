// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Start-up milestones for measurements: when ZEMKO_TOVIK_MILESTONES names a
// file, each milestone appends one line "NAME MILLISECONDS" to it, the time
// since the process started. Without the variable nothing is recorded.
// The process start is the kernel's, so its resolution is one clock tick
// (usually 10 ms); differences between milestones are exact.
class QWidget;

inline constexpr const char* kMilestonesVariable = "ZEMKO_TOVIK_MILESTONES";
// Set to 1 beside the milestones, the main window tours itself once the first
// read is over: every page, then an Apply of one changed setting.
inline constexpr const char* kBenchTourVariable = "ZEMKO_TOVIK_BENCH_TOUR";

// Appends the milestone; a file that cannot be written is ignored (the
// measurement is then incomplete, the program runs on).
void RecordMilestone(const char* name);

// Both variables set: the tour is wanted.
bool IsBenchTourRequested();

// Records "first-paint" once, after `window` has painted for the first time.
void RecordFirstPaintOf(QWidget& window);

// Watches the GUI thread from now on (with the variable set): RecordLongestStall
// appends "NAME MILLISECONDS", the longest time until then that the thread did
// not get back to its event loop, and ends the watch.
void StartStallWatch();
void RecordLongestStall(const char* name);
// Ends the watch without recording anything.
void StopStallWatch();
