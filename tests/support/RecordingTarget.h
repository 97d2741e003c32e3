// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A message target that records every message it is sent, from any thread, for
// tests of code that reports progress to a window without needing Qt.
#include "platform/core/MessageTarget.h"
#include "platform/core/Messages.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

// Texts of progress-text messages are copied while they live.
class RecordingTarget : public IMessageTarget {
public:
    struct Message {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        std::u16string text;
    };

    LRESULT SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        Message message{msg, wParam, lParam, {}};
        if (msg == WM_DEVICE_PROGRESS_TEXT && lParam)
            message.text = reinterpret_cast<const char16_t*>(lParam);
        if (onMessage)
            onMessage(message);
        std::lock_guard lock(mutex_);
        messages_.push_back(std::move(message));
        return 0;
    }
    bool PostMessage(UINT, WPARAM, LPARAM) override { return false; }

    std::vector<Message> Messages() const
    {
        std::lock_guard lock(mutex_);
        return messages_;
    }
    std::vector<LPARAM> Percentages() const
    {
        std::vector<LPARAM> result;
        for (const Message& m : Messages())
            if (m.msg == WM_DEVICE_PROGRESS)
                result.push_back(m.lParam);
        return result;
    }
    std::vector<std::u16string> Texts() const
    {
        std::vector<std::u16string> result;
        for (const Message& m : Messages())
            if (m.msg == WM_DEVICE_PROGRESS_TEXT)
                result.push_back(m.text);
        return result;
    }

    // Called on the sending thread before the message is recorded.
    std::function<void(const Message&)> onMessage;

private:
    mutable std::mutex mutex_;
    std::vector<Message> messages_;
};
