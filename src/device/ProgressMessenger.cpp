// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/ProgressMessenger.h"

#include "platform/core/MessageWait.h"
#include "platform/core/Messages.h"

#include <algorithm>

CProgressMessenger::CProgressMessenger() : lifetime_(std::make_shared<Lifetime>())
{
    lifetime_->messenger_ = this;
}

CProgressMessenger::~CProgressMessenger()
{
    std::lock_guard lock(lifetime_->mutex_);
    lifetime_->messenger_ = nullptr;
}

bool CProgressMessenger::Lifetime::Use(const std::function<void(CProgressMessenger&)>& use)
{
    std::lock_guard lock(mutex_);
    if (!messenger_)
        return false;
    use(*messenger_);
    return true;
}

void CProgressMessenger::AddListener(HWND window)
{
    if (!window)
        return;
    std::lock_guard lock(mutex_);
    if (std::find(listeners_.begin(), listeners_.end(), window) == listeners_.end())
        listeners_.push_back(window);
}

void CProgressMessenger::RemoveListener(HWND window)
{
    std::unique_lock lock(mutex_);
    auto it = std::find(listeners_.begin(), listeners_.end(), window);
    if (it != listeners_.end())
        listeners_.erase(it);
    // A send on this very thread is further up the caller's own stack: waiting
    // for it would never end.
    const std::thread::id self = std::this_thread::get_id();
    WaitServicingMessages(lock, sendEnded_, [&] {
        return std::none_of(sending_.begin(), sending_.end(),
                            [&](const Send& send) { return send.window == window && send.sender != self; });
    });
}

std::vector<HWND> CProgressMessenger::Listeners() const
{
    std::lock_guard lock(mutex_);
    return listeners_;
}

void CProgressMessenger::SendProgress(int percent) const
{
    Broadcast(WM_DEVICE_PROGRESS, static_cast<LPARAM>(percent));
}

void CProgressMessenger::SendProgressText(std::u16string_view text) const
{
    const std::u16string terminated(text);
    Broadcast(WM_DEVICE_PROGRESS_TEXT, reinterpret_cast<LPARAM>(terminated.c_str()));
}

void CProgressMessenger::SetText(std::u16string_view text)
{
    std::lock_guard lock(mutex_);
    text_ = text;
}

std::u16string CProgressMessenger::GetText() const
{
    std::lock_guard lock(mutex_);
    return text_;
}

void CProgressMessenger::Broadcast(UINT message, LPARAM lParam) const
{
    const WPARAM source = reinterpret_cast<WPARAM>(this);
    const std::thread::id self = std::this_thread::get_id();
    for (HWND window : Listeners()) {
        {
            std::lock_guard lock(mutex_);
            if (std::find(listeners_.begin(), listeners_.end(), window) == listeners_.end())
                continue;
            sending_.push_back({window, self});
        }
        ::SendMessage(window, message, source, lParam);
        {
            std::lock_guard lock(mutex_);
            auto it = std::find_if(sending_.begin(), sending_.end(),
                                   [&](const Send& s) { return s.window == window && s.sender == self; });
            if (it != sending_.end())
                sending_.erase(it);
        }
        sendEnded_.notify_all();
    }
}
