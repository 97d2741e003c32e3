// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ring around the control that has the keyboard focus. Skinned controls draw
// only their bitmaps, so nothing would show where the keyboard is; one ring per
// window follows the focus, in the skin's highlight colour with a dark inner line
// so it reads on light and dark bitmaps alike. Pointer users never see it: it
// appears once the keyboard has moved the focus (Tab or a page switch).
#include <QPointer>
#include <QWidget>

class CFocusMark : public QWidget {
public:
    // From now on every window shows the ring; the first call also starts
    // following the focus.
    static void UseKeyboardCues();
    static bool KeyboardCuesInUse();
    // Forgets the keyboard cues again (each test starts as a pointer user).
    static void ResetKeyboardCues();

    // The ring of `window`, or null when it has none yet.
    static CFocusMark* Of(const QWidget& window);
    // The control the ring surrounds while it is shown.
    QWidget* Target() const { return target_.data(); }

    // Puts the ring around `target` (null hides it).
    void Surround(QWidget* target);

    // The outer line in the highlight colour and the dark line inside it.
    static constexpr int kOuterWidth = 2;
    static constexpr int kInnerWidth = 1;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CFocusMark(QWidget& window);
    static void Follow(QWidget* focused);
    void Place();

    QPointer<QWidget> target_;
};
