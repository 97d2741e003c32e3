// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/MessageTarget.h"

LRESULT SendMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return window ? window->SendMessage(msg, wParam, lParam) : 0;
}

bool PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return window ? window->PostMessage(msg, wParam, lParam) : false;
}
