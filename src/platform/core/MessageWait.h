// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Waiting on a thread that owns windows. A thread blocked in a plain wait cannot
// take the messages other threads send to its windows; when the thread it waits
// for is itself blocked sending to one of them, both wait forever. These waits
// deliver such messages while they wait.
#include <condition_variable>
#include <functional>
#include <mutex>

// Delivers the messages that other threads have queued for the calling thread's
// windows. Returns false (and delivers nothing) on a thread that has no windows.
using MessagePump = bool (*)();

// Installed once by the window layer; a program without windows has none, and
// then every wait below is a plain wait.
void SetMessagePump(MessagePump pump);

// Waits on `cv` until `done()` holds; `done` is checked with `lock` held. On a
// thread with windows, `lock` is released while queued messages are delivered,
// so a handler may take the same mutex.
void WaitServicingMessages(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                           const std::function<bool()>& done);
