// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CProgressMessenger`: the windows that want to see how far a device operation
// has gone. Messages go synchronously to each window in the order they were added;
// the list is changed on the GUI thread and walked by the device worker.
#include "platform/core/MessageTarget.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class CProgressMessenger {
public:
    // How holders of a messenger's address that may outlive it (a progress popup
    // attached to a device object that has since been dropped) reach it safely.
    class Lifetime {
    public:
        // Runs `use` with the messenger and returns true while the messenger
        // exists; false, without running it, once it is gone. The messenger's
        // destruction waits for a `use` under way.
        bool Use(const std::function<void(CProgressMessenger&)>& use);

    private:
        friend class CProgressMessenger;
        std::mutex mutex_;
        CProgressMessenger* messenger_ = nullptr;
    };

    CProgressMessenger();
    virtual ~CProgressMessenger();
    CProgressMessenger(const CProgressMessenger&) = delete;
    CProgressMessenger& operator=(const CProgressMessenger&) = delete;

    // Adding a window already listed does nothing; null is ignored.
    void AddListener(HWND window);
    // Removes the first occurrence and returns once no other thread is still
    // sending to that window, so the caller may destroy it. Messages sent to the
    // caller's own windows meanwhile are delivered, so a sender waiting for them
    // cannot hold the removal up.
    void RemoveListener(HWND window);
    std::vector<HWND> Listeners() const;

    // WM_DEVICE_PROGRESS with wParam = this messenger and lParam = the percentage.
    void SendProgress(int percent) const;
    // WM_DEVICE_PROGRESS_TEXT with lParam = a zero-terminated UTF-16 text that
    // lives only for the call.
    void SendProgressText(std::u16string_view text) const;

    // The status text a progress popup shows beside the percentage.
    void SetText(std::u16string_view text);
    std::u16string GetText() const;

    std::shared_ptr<Lifetime> GetLifetime() const { return lifetime_; }

private:
    // Walks a copy of the list, so that a listener may add or remove windows (or
    // the GUI thread may, while the worker waits for it) without a deadlock. Each
    // send is recorded while it runs, and a window removed meanwhile is skipped.
    void Broadcast(UINT message, LPARAM lParam) const;

    struct Send {
        HWND window;
        std::thread::id sender;
    };

    mutable std::mutex mutex_;
    mutable std::condition_variable sendEnded_;
    std::vector<HWND> listeners_;
    mutable std::vector<Send> sending_;
    std::u16string text_;
    std::shared_ptr<Lifetime> lifetime_;
};
