// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A skinned window that keeps every message it is sent or posted, as the owner of
// the controls under test: the oracle for what a control tells its owner.
#include "platform/SkinWindow.h"

#include <vector>

struct RecordedMessage {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

class RecordingWindow : public CSkinWindow {
public:
    explicit RecordingWindow(QWidget* parent = nullptr) : CSkinWindow(parent) { resize(400, 240); }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back({msg, wParam, lParam});
        return 0;
    }
    // The recorded messages with the given number, in order.
    std::vector<RecordedMessage> Of(UINT msg) const
    {
        std::vector<RecordedMessage> found;
        for (const auto& m : messages)
            if (m.msg == msg)
                found.push_back(m);
        return found;
    }
    std::vector<RecordedMessage> messages;
};
