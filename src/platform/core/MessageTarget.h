// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window as the code above the platform layer sees it: something that accepts
// numbered messages, synchronously or queued. Libraries without Qt (the device
// layer) talk to windows only through this interface.
#include "platform/core/WinTypes.h"

class IMessageTarget {
public:
    virtual ~IMessageTarget() = default;
    // Synchronous delivery to the window procedure; from another thread it blocks until handled.
    virtual LRESULT SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    // Queued delivery on the window's thread; false when it cannot be queued.
    virtual bool PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
};

using HWND = IMessageTarget*;

LRESULT SendMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam); // null window -> 0
bool PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);    // null window -> false
