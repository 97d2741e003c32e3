// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/FocusMark.h"

#include "controls/ControlDrawing.h"
#include "platform/SkinWindow.h"
#include "skin/ColorTable.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace {

bool cuesInUse = false;

QColor RingColour()
{
    const COLORREF colour = LookupColor("NEON_TAB_SELECT");
    return ToQColor(colour == kUnknownColor ? RGB(0x6F, 0xE8, 0xED) : colour);
}

} // namespace

void CFocusMark::UseKeyboardCues()
{
    static const bool following = [] {
        if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
            QObject::connect(app, &QApplication::focusChanged, app, [](QWidget*, QWidget* now) { Follow(now); });
        return true;
    }();
    (void)following;
    cuesInUse = true;
}

bool CFocusMark::KeyboardCuesInUse()
{
    return cuesInUse;
}

void CFocusMark::ResetKeyboardCues()
{
    cuesInUse = false;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (CFocusMark* mark = Of(*window))
            mark->Surround(nullptr);
}

CFocusMark* CFocusMark::Of(const QWidget& window)
{
    // Not findChild: without a meta-object of its own every widget would pass for a ring.
    for (QObject* child : window.children())
        if (auto* mark = dynamic_cast<CFocusMark*>(child))
            return mark;
    return nullptr;
}

CFocusMark::CFocusMark(QWidget& window) : QWidget(&window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void CFocusMark::Follow(QWidget* focused)
{
    // Rings of other windows stay where they are: a popup over the window must not
    // make the window forget where the user was.
    if (!cuesInUse || !focused)
        return;
    QWidget* window = focused->window();
    // Only our skinned windows: Qt's own dialogs show their focus themselves.
    if (focused == window || !dynamic_cast<CSkinWindow*>(window))
        return;
    CFocusMark* mark = Of(*window);
    if (!mark)
        mark = new CFocusMark(*window);
    mark->Surround(focused);
}

void CFocusMark::Surround(QWidget* target)
{
    if (target_ && target_ != target)
        target_->removeEventFilter(this);
    target_ = target;
    if (!target) {
        hide();
        return;
    }
    target->installEventFilter(this);
    Place();
}

void CFocusMark::Place()
{
    QWidget* target = target_.data();
    if (!target || !cuesInUse || parentWidget()->focusWidget() != target || !target->isVisibleTo(parentWidget())) {
        hide();
        return;
    }
    const int grow = kOuterWidth + kInnerWidth;
    setGeometry(QRect(target->mapTo(parentWidget(), QPoint(0, 0)), target->size()).adjusted(-grow, -grow, grow, grow));
    show();
    raise();
    update();
}

bool CFocusMark::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == target_.data()) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            Place();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CFocusMark::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect outer = rect();
    const QRect inner = outer.adjusted(kOuterWidth, kOuterWidth, -kOuterWidth, -kOuterWidth);
    const auto frame = [&painter](const QRect& area, int width, const QColor& colour) {
        painter.fillRect(QRect(area.left(), area.top(), area.width(), width), colour);
        painter.fillRect(QRect(area.left(), area.bottom() - width + 1, area.width(), width), colour);
        painter.fillRect(QRect(area.left(), area.top(), width, area.height()), colour);
        painter.fillRect(QRect(area.right() - width + 1, area.top(), width, area.height()), colour);
    };
    frame(outer, kOuterWidth, RingColour());
    frame(inner, kInnerWidth, Qt::black);
}
