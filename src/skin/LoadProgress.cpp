// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/LoadProgress.h"

#include <algorithm>
#include <atomic>
#include <string>

#include "platform/core/Messages.h"

namespace {

std::atomic<CLoadProgressNotifier*> g_published{nullptr};

std::mutex& CallbackMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::function<void(CLoadProgressNotifier&)>& PublishedCallback()
{
    static std::function<void(CLoadProgressNotifier&)> callback;
    return callback;
}

} // namespace

void CLoadProgressNotifier::AddListener(HWND window)
{
    if (!window)
        return;
    std::lock_guard lock(mutex_);
    if (std::find(listeners_.begin(), listeners_.end(), window) == listeners_.end())
        listeners_.push_back(window);
}

void CLoadProgressNotifier::RemoveListener(HWND window)
{
    std::lock_guard lock(mutex_);
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), window), listeners_.end());
}

void CLoadProgressNotifier::SendFileName(std::u16string_view fileName)
{
    const std::u16string terminated(fileName);
    std::lock_guard lock(mutex_);
    // Iterate over a copy: a listener may change the list while it is told.
    const auto listeners = listeners_;
    for (HWND window : listeners)
        ::SendMessage(window, WM_DEVICE_PROGRESS_TEXT, reinterpret_cast<WPARAM>(this),
                      reinterpret_cast<LPARAM>(terminated.c_str()));
}

void CLoadProgressNotifier::SendProgress(int percent)
{
    std::lock_guard lock(mutex_);
    const auto listeners = listeners_;
    for (HWND window : listeners)
        ::SendMessage(window, WM_DEVICE_PROGRESS, reinterpret_cast<WPARAM>(this), static_cast<LPARAM>(percent));
}

CLoadProgressNotifier* PublishedLoadNotifier()
{
    return g_published.load();
}

void SetLoadPublishedCallback(std::function<void(CLoadProgressNotifier&)> callback)
{
    std::lock_guard lock(CallbackMutex());
    PublishedCallback() = std::move(callback);
}

ScopedLoadNotifierPublication::ScopedLoadNotifierPublication(CLoadProgressNotifier* notifier)
    : previous_(g_published.exchange(notifier))
{
    std::function<void(CLoadProgressNotifier&)> callback;
    {
        std::lock_guard lock(CallbackMutex());
        callback = PublishedCallback();
    }
    if (callback && notifier)
        callback(*notifier);
}

ScopedLoadNotifierPublication::~ScopedLoadNotifierPublication()
{
    g_published.store(previous_);
}
