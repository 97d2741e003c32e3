// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartupPatience.h"

#include "app/AppConstants.h"
#include "app/AppLog.h"
#include "app/WarningPopup.h"
#include "emulator/EmulatedDeviceServer.h"

#include <charconv>
#include <cstdlib>
#include <string_view>

CStartupPatience::CStartupPatience(std::function<void()> hidePopups, QWidget* parent)
    : hidePopups_(std::move(hidePopups)), parent_(parent)
{
    timer_.setSingleShot(true);
    // The read runs on a helper thread while this thread waits in an event loop,
    // so the timer fires in the middle of the wait.
    QObject::connect(&timer_, &QTimer::timeout, [this] { GiveUp(); });
    timer_.start(int(Patience().count()));
}

CStartupPatience::~CStartupPatience()
{
    timer_.stop();
}

std::chrono::milliseconds CStartupPatience::Patience()
{
    constexpr int kDefault = 30000;
    const char* text = std::getenv("ZEMKO_TOVIK_NO_ANSWER_MS");
    if (!text || !*text)
        return std::chrono::milliseconds(kDefault);
    const std::string_view view(text);
    int value = 0;
    const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), value);
    if (error != std::errc() || end != view.data() + view.size() || value < 1 || value > 3600000)
        return std::chrono::milliseconds(kDefault);
    return std::chrono::milliseconds(value);
}

void CStartupPatience::GiveUp()
{
    if (gaveUp_)
        return;
    gaveUp_ = true;
    qCWarning(lcApp) << "the mouse did not answer within" << Patience().count() << "ms; giving up the start-up read";
    // First stop the wait, so that the helper thread is free by the time the
    // user has read the notice.
    emulator::AbandonDeviceCalls();
    if (hidePopups_)
        hidePopups_();
    // An unattended run (a screenshot) has nobody to answer the notice: the log says it.
    if (const char* screenshot = std::getenv(kScreenshotVariable); screenshot && *screenshot)
        return;
    RunWarningPopup(u"NoAnswerPopup.xml", parent_);
}
