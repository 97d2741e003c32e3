// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Progress of one skin load, for a window that wants to show it (the progress
// popup). While an observable load runs, its notifier is published process-wide so
// such a window can register itself as a listener; listeners receive
// WM_DEVICE_PROGRESS_TEXT (wParam: the notifier, lParam: a `const char16_t*` to the
// NUL-terminated file name, valid during the call) before reading, then
// WM_DEVICE_PROGRESS with 0, 6, ..., 84 before each section and 100 at the end.
#include <functional>
#include <mutex>
#include <string_view>
#include <vector>

#include "platform/core/MessageTarget.h"

class CLoadProgressNotifier {
public:
    CLoadProgressNotifier() = default;
    CLoadProgressNotifier(const CLoadProgressNotifier&) = delete;
    CLoadProgressNotifier& operator=(const CLoadProgressNotifier&) = delete;

    void AddListener(HWND window);
    void RemoveListener(HWND window);

    void SendFileName(std::u16string_view fileName);
    void SendProgress(int percent);

private:
    // Recursive so a listener may add or remove listeners while it is being told.
    std::recursive_mutex mutex_;
    std::vector<HWND> listeners_;
};

// The notifier of the observable load now running, or null.
CLoadProgressNotifier* PublishedLoadNotifier();

// Called (on the loading thread) each time an observable load publishes its
// notifier, before the first message is sent, so that a window living on the same
// thread as the load can register itself in time. Empty function: none.
void SetLoadPublishedCallback(std::function<void(CLoadProgressNotifier&)> callback);

// Publishes a notifier for the lifetime of the object, restoring the previous one
// afterwards (loads may nest).
class ScopedLoadNotifierPublication {
public:
    explicit ScopedLoadNotifierPublication(CLoadProgressNotifier* notifier);
    ~ScopedLoadNotifierPublication();
    ScopedLoadNotifierPublication(const ScopedLoadNotifierPublication&) = delete;
    ScopedLoadNotifierPublication& operator=(const ScopedLoadNotifierPublication&) = delete;

private:
    CLoadProgressNotifier* previous_;
};
