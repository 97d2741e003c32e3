// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding the lighting and power page's items in the real main window and working
// them as a user would: clicks, and slider thumbs dragged and let go.
#include "app/TovikEliteAppDlg.h"
#include "controls/PHSlider.h"
#include "controls/SliderHMulti.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace lightinginput {

inline CGUIItem* Item(CTovikEliteAppDlg& window, int itemId)
{
    // The page is made when first shown: before that none of its items exists.
    const CMainWindowPage* page = window.Page(PageBit::Lighting);
    const std::initializer_list<const CGUIItems*> all = {&window.Items(), page ? &page->Items() : nullptr,
                                                         &window.LightingItemsCurrentGeneration(),
                                                         &window.LightingItemsEarlierGeneration()};
    for (const CGUIItems* items : all)
        if (CGUIItem* item = items ? items->FindById(itemId) : nullptr)
            return item;
    return nullptr;
}
inline CPHSlider* Thumb(CTovikEliteAppDlg& window, int sliderId)
{
    auto* slider = dynamic_cast<CSliderHMulti*>(Item(window, sliderId));
    return slider ? slider->Thumb(0) : nullptr;
}
inline void Mouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
    for (int i = 0; i < 3; ++i) // a track passes on what its thumb posted
        QCoreApplication::sendPostedEvents();
}
inline void Click(CTovikEliteAppDlg& window, int itemId)
{
    auto* widget = dynamic_cast<QWidget*>(Item(window, itemId));
    ASSERT_NE(widget, nullptr) << itemId;
    Mouse(widget, QEvent::MouseButtonPress, widget->rect().center(), Qt::LeftButton);
    Mouse(widget, QEvent::MouseButtonRelease, widget->rect().center(), Qt::NoButton);
}
// Drags the thumb to `value` (its own value: pressed and let go in place) and lets go unless told not to.
inline void Drag(CPHSlider* thumb, int value, bool release = true)
{
    ASSERT_NE(thumb, nullptr);
    const QPoint target(thumb->PixelOfPosition(uint32_t(value - thumb->GetMin())) + thumb->HalfWidth(), thumb->y());
    Mouse(thumb, QEvent::MouseButtonPress, thumb->rect().center(), Qt::LeftButton);
    Mouse(thumb, QEvent::MouseMove, thumb->mapFromParent(target), Qt::LeftButton);
    if (release)
        Mouse(thumb, QEvent::MouseButtonRelease, thumb->mapFromParent(target), Qt::NoButton);
}

} // namespace lightinginput
