// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BatteryStatusReader.h"

CBatteryStatusReader::~CBatteryStatusReader()
{
    if (thread_.joinable())
        thread_.join();
}

bool CBatteryStatusReader::Start(int deviceCode)
{
    if (HasThread())
        return false;
    finished_.store(false);
    started_ = true;
    thread_ = std::thread([this, deviceCode] {
        std::optional<BatteryStatus> status = ReadBatteryStatus(deviceCode);
        {
            std::lock_guard lock(mutex_);
            result_ = status;
        }
        finished_.store(true);
    });
    return true;
}

void CBatteryStatusReader::WaitUntilFinished()
{
    if (thread_.joinable())
        thread_.join();
}

std::optional<std::optional<BatteryStatus>> CBatteryStatusReader::Collect()
{
    if (!started_ || !finished_.load())
        return std::nullopt;
    if (thread_.joinable())
        thread_.join();
    started_ = false;
    std::lock_guard lock(mutex_);
    std::optional<BatteryStatus> result = result_;
    result_.reset();
    return result;
}
