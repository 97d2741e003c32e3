// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Input helpers shared by the control tests: mouse events delivered straight to a
// widget, posted messages delivered, simple pictures; and the recording owner window.
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <vector>

#include "platform/SkinWindow.h"
#include "support/RecordingWindow.h"

// Lets posted messages arrive (twice: a track forwards what its thumbs posted).
inline void DeliverPosted()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::sendPostedEvents();
}

inline QImage SolidImage(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A thumb picture with a magenta frame colour in its top-left corner, so the thumb's
// shape is everything but that colour.
inline QImage ThumbImage(int width, int height, QColor colour)
{
    QImage image = SolidImage(width, height, colour);
    image.setPixelColor(0, 0, QColor(255, 0, 255));
    return image;
}

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint local, Qt::MouseButton button,
                      Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(local), QPointF(widget->mapToGlobal(local)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Presses on `widget` at `from`, moves to `to` and releases there (widget coordinates
// at press time; the widget may move while dragged, so later points are recomputed
// from the parent's coordinates).
inline void DragInParent(QWidget* widget, QPoint fromLocal, QPoint toInParent, bool release = true)
{
    SendMouse(widget, QEvent::MouseButtonPress, fromLocal, Qt::LeftButton, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseMove, widget->mapFromParent(toInParent), Qt::NoButton, Qt::LeftButton);
    if (release)
        SendMouse(widget, QEvent::MouseButtonRelease, widget->mapFromParent(toInParent), Qt::LeftButton, Qt::NoButton);
}
