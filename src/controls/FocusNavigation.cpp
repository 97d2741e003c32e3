// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/FocusNavigation.h"

#include "controls/DropdownListItem.h"
#include "controls/FocusMark.h"
#include "controls/SliderBase.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <numeric>

bool TakesKeyboardFocus(const QWidget& widget)
{
    if (widget.isWindow() || !(widget.focusPolicy() & Qt::TabFocus) || !widget.isEnabled())
        return false;
    if (!widget.isVisibleTo(widget.window()) || widget.size().isEmpty())
        return false;
    // These switch themselves off without disabling their window, so that they
    // keep their look; the keyboard must pass them by all the same.
    if (auto* slider = dynamic_cast<const CSliderBase*>(&widget); slider && !slider->IsSliderEnabled())
        return false;
    if (auto* dropdown = dynamic_cast<const CDropdownListItem*>(&widget);
        dropdown && (dropdown->IsDisabled() || !dropdown->IsInteractive()))
        return false;
    return true;
}

std::vector<std::size_t> VisualOrder(const std::vector<QRect>& rects)
{
    std::vector<std::size_t> order(rects.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return rects[a].top() != rects[b].top() ? rects[a].top() < rects[b].top() : rects[a].left() < rects[b].left();
    });
    // Controls of one row rarely share their top pixel (a check box beside a
    // taller button), so rows are gathered before they are read from the left.
    auto rowStart = order.begin();
    while (rowStart != order.end()) {
        const QRect& first = rects[*rowStart];
        const int middle = first.top() + first.height() / 2;
        auto rowEnd = std::find_if(rowStart + 1, order.end(), [&](std::size_t i) { return rects[i].top() > middle; });
        std::stable_sort(rowStart, rowEnd, [&](std::size_t a, std::size_t b) {
            return rects[a].left() != rects[b].left() ? rects[a].left() < rects[b].left()
                                                      : rects[a].top() < rects[b].top();
        });
        rowStart = rowEnd;
    }
    return order;
}

namespace {

QRect RectInWindow(QWidget& window, const QWidget& widget)
{
    return QRect(widget.mapTo(&window, QPoint(0, 0)), widget.size());
}

// The chain with `extra` (when given and not in it) placed among the controls.
std::vector<QWidget*> OrderedControls(QWidget& window, QWidget* extra)
{
    std::vector<QWidget*> widgets;
    for (QWidget* widget : window.findChildren<QWidget*>())
        if ((widget == extra || TakesKeyboardFocus(*widget)) && widget->window() == &window)
            widgets.push_back(widget);
    std::vector<QRect> rects;
    rects.reserve(widgets.size());
    for (QWidget* widget : widgets)
        rects.push_back(RectInWindow(window, *widget));
    std::vector<QWidget*> ordered;
    ordered.reserve(widgets.size());
    for (std::size_t index : VisualOrder(rects))
        ordered.push_back(widgets[index]);
    return ordered;
}

} // namespace

std::vector<QWidget*> FocusChain(QWidget& window)
{
    return OrderedControls(window, nullptr);
}

bool MoveFocus(QWidget& window, bool forward)
{
    QWidget* current = window.focusWidget();
    if (current && (current == &window || current->window() != &window))
        current = nullptr;
    const std::vector<QWidget*> controls = OrderedControls(window, current);
    const auto size = std::ptrdiff_t(controls.size());
    const bool currentOnly = current && !TakesKeyboardFocus(*current);
    if (size == 0 || (currentOnly && size == 1))
        return false;

    std::ptrdiff_t index = forward ? -1 : size;
    if (current)
        index = std::find(controls.begin(), controls.end(), current) - controls.begin();
    QWidget* target = nullptr;
    for (std::ptrdiff_t step = 1; step <= size && !target; ++step) {
        const std::ptrdiff_t at = ((index + (forward ? step : -step)) % size + size) % size;
        if (controls[std::size_t(at)] != current || !currentOnly)
            target = controls[std::size_t(at)];
    }
    if (!target)
        return false;
    CFocusMark::UseKeyboardCues();
    target->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}
