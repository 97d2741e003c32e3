// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the macro recorder makes of raw keyboard and mouse records: keystrokes and
// mouse clicks with the delays between them. Plain logic, fed by the event display
// while it records; the clock is passed in so a recording can be replayed exactly.
#include "controls/MacroDisplayEvent.h"
#include "platform/core/RawInput.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CMacroRecorder {
public:
    // The longest delay an event can carry.
    static constexpr uint32_t kMaxDelayMs = 16777215;
    // The delay used when the default-delay box is empty.
    static constexpr uint32_t kFallbackDefaultDelayMs = 50;

    // Clears the events and the held keys and starts taking records. Refused (false)
    // when the recorder is read-only.
    bool Start();
    void Stop() { recording_ = false; }
    bool IsRecording() const { return recording_; }

    // A read-only recorder never records (and stops a recording in progress).
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return readOnly_; }

    void SetIgnoreDelays(bool on) { ignoreDelays_ = on; }
    bool IgnoresDelays() const { return ignoreDelays_; }
    void SetUseDefaultDelay(bool on) { useDefaultDelay_ = on; }
    bool UsesDefaultDelay() const { return useDefaultDelay_; }
    // Clamped to 1..kMaxDelayMs.
    void SetDefaultDelay(uint32_t milliseconds);
    uint32_t DefaultDelay() const { return defaultDelayMs_; }

    // The most events a recording may hold (0: no limit). An event that would not
    // fit together with its delay is dropped, so a full recording never ends in a
    // dangling delay.
    void SetMaxEvents(std::size_t max) { maxEvents_ = max; }
    bool IsFull() const;

    // Takes one record at `tick` (milliseconds of the tick counter). Mouse records
    // while `stopControlCaptured` are the user stopping the recording and are not
    // taken. Returns how many events were appended (0 to 2: a delay and an event).
    int OnRawInput(const RawInput& record, DWORD tick, bool stopControlCaptured);

    const std::vector<MacroDisplayEvent>& Events() const { return events_; }
    // The keys held down now (make code with the prefix bits above it).
    const std::vector<uint32_t>& HeldKeys() const { return held_; }

    // The button a mouse record's button-flags word stands for, as one press or
    // release; nothing for combinations and flags that carry no click.
    struct Click {
        int button = 0;
        bool down = false;
    };
    static std::optional<Click> ClickOfButtonFlags(USHORT buttonFlags);

private:
    int OnKeyboard(const RawKeyboard& key, DWORD tick);
    int Append(const MacroDisplayEvent& event, DWORD tick);

    bool recording_ = false;
    bool readOnly_ = false;
    bool ignoreDelays_ = false;
    bool useDefaultDelay_ = false;
    uint32_t defaultDelayMs_ = kFallbackDefaultDelayMs;
    std::size_t maxEvents_ = 0;
    std::vector<MacroDisplayEvent> events_;
    std::vector<uint32_t> held_;
    USHORT lastVirtualKey_ = 0;
    DWORD lastTick_ = 0;
};
