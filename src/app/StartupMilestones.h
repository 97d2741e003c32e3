// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Start-up milestones for measurements: when ZEMKO_TOVIK_MILESTONES names a
// file, each milestone appends one line "NAME MILLISECONDS" to it, the time
// since the process started. Without the variable nothing is recorded.
// The process start is the kernel's, so its resolution is one clock tick
// (usually 10 ms); differences between milestones are exact.
class QWidget;

inline constexpr const char* kMilestonesVariable = "ZEMKO_TOVIK_MILESTONES";

// Appends the milestone; a file that cannot be written is ignored (the
// measurement is then incomplete, the program runs on).
void RecordMilestone(const char* name);

// Records "first-paint" once, after `window` has painted for the first time.
void RecordFirstPaintOf(QWidget& window);

// Watches the GUI thread from now on (with the variable set): RecordLongestStall
// appends "NAME MILLISECONDS", the longest time until then that the thread did
// not get back to its event loop, and ends the watch.
void StartStallWatch();
void RecordLongestStall(const char* name);
