// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start-up read's way out. A mouse that does not answer (a device server far
// slower than any real one) would keep the start-up popup at 0 % for minutes.
// While this object lives, once `Patience()` has passed the device calls under
// way are given up, the progress popups are hidden (`hidePopups`) and the user is
// told that the mouse does not answer ("NoAnswerPopup.xml"); the program then
// ends instead of showing its window.
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

class QWidget;

class CStartupPatience {
public:
    CStartupPatience(std::function<void()> hidePopups, QWidget* parent = nullptr);
    ~CStartupPatience();
    CStartupPatience(const CStartupPatience&) = delete;
    CStartupPatience& operator=(const CStartupPatience&) = delete;

    // True once the read was given up: the caller ends without its window.
    bool GaveUp() const { return gaveUp_; }

    // ZEMKO_TOVIK_NO_ANSWER_MS when it is a number 1..3600000, else 30 seconds.
    static std::chrono::milliseconds Patience();

private:
    void GiveUp();

    std::function<void()> hidePopups_;
    QWidget* parent_;
    QTimer timer_;
    bool gaveUp_ = false;
};
