// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HelperThread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <exception>
#include <thread>

void RunOnHelperThread(const std::function<void()>& work, bool allowUserInput)
{
    if (!QCoreApplication::instance()) {
        work();
        return;
    }
    QEventLoop loop;
    std::exception_ptr failure;
    // The loop object lives on this thread; quitting it through a queued call keeps
    // the helper from touching it directly.
    std::thread helper([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    loop.exec(allowUserInput ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    helper.join();
    if (failure)
        std::rethrow_exception(failure);
}
