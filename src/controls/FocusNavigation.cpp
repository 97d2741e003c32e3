// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/FocusNavigation.h"

#include "controls/BitmapItem.h"
#include "controls/DropdownListItem.h"
#include "controls/FocusMark.h"
#include "controls/SliderBase.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <numeric>
#include <tuple>

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

std::vector<std::size_t> PanelOrder(const std::vector<QRect>& rects, std::vector<QRect> panels)
{
    // Two pictures on the same spot are one panel, so that neither holds the other.
    auto byPosition = [](const QRect& a, const QRect& b) {
        return std::tuple(a.left(), a.top(), a.right(), a.bottom()) <
               std::tuple(b.left(), b.top(), b.right(), b.bottom());
    };
    std::sort(panels.begin(), panels.end(), byPosition);
    panels.erase(std::unique(panels.begin(), panels.end()), panels.end());
    const std::size_t root = panels.size();
    auto area = [](const QRect& r) { return qint64(r.width()) * r.height(); };
    // The smallest panel other than `self` that holds `rect` whole; the root when none.
    auto holder = [&](const QRect& rect, std::size_t self) {
        std::size_t best = root;
        for (std::size_t p = 0; p < panels.size(); ++p)
            if (p != self && panels[p].contains(rect) && (best == root || area(panels[p]) < area(panels[best])))
                best = p;
        return best;
    };

    struct Item {
        QRect rect;
        bool isPanel;
        std::size_t index;
    };
    std::vector<std::vector<Item>> contents(panels.size() + 1);
    std::vector<std::size_t> parent(panels.size(), root);
    for (std::size_t i = 0; i < rects.size(); ++i)
        contents[holder(rects[i], root)].push_back({rects[i], false, i});
    for (std::size_t p = 0; p < panels.size(); ++p)
        parent[p] = holder(panels[p], p);
    // A panel takes part only when something to visit stands on it: an empty one
    // would merely bend the rows around it.
    std::vector<bool> used(panels.size(), false);
    for (std::size_t p = 0; p < panels.size(); ++p)
        if (!contents[p].empty())
            for (std::size_t at = p; at != root && !used[at]; at = parent[at])
                used[at] = true;
    for (std::size_t p = 0; p < panels.size(); ++p)
        if (used[p])
            contents[parent[p]].push_back({panels[p], true, p});

    std::vector<std::size_t> order;
    order.reserve(rects.size());
    std::function<void(std::size_t)> read = [&](std::size_t container) {
        const std::vector<Item>& items = contents[container];
        std::vector<QRect> itemRects;
        itemRects.reserve(items.size());
        for (const Item& item : items)
            itemRects.push_back(item.rect);
        for (std::size_t k : VisualOrder(itemRects)) {
            if (items[k].isPanel)
                read(items[k].index);
            else
                order.push_back(items[k].index);
        }
    };
    read(root);
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
    // The skin's pictures behind controls group them into panels.
    std::vector<QRect> panels;
    for (CBitmapItem* picture : window.findChildren<CBitmapItem*>())
        if (picture->QWidget::window() == &window && picture->isVisibleTo(&window) && !TakesKeyboardFocus(*picture))
            panels.push_back(RectInWindow(window, *picture));
    std::vector<QWidget*> ordered;
    ordered.reserve(widgets.size());
    for (std::size_t index : PanelOrder(rects, std::move(panels)))
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
