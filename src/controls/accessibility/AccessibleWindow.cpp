// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/accessibility/AccessibleWindow.h"

#include "controls/GUIPanel.h"
#include "controls/TextItem.h"

namespace {

// The words a sighted user reads first: the topmost label with text, the
// leftmost of a row.
QString TopmostLabelText(const QWidget& window)
{
    const CTextItem* first = nullptr;
    QPoint firstAt;
    for (const QWidget* child : window.findChildren<QWidget*>()) {
        const auto* label = dynamic_cast<const CTextItem*>(child);
        if (!label || label->GetText().simplified().isEmpty())
            continue;
        const QPoint at = label->mapTo(&window, QPoint());
        if (!first || at.y() < firstAt.y() || (at.y() == firstAt.y() && at.x() < firstAt.x())) {
            first = label;
            firstAt = at;
        }
    }
    return first ? first->GetText().simplified() : QString();
}

} // namespace

CAccessibleWindow::CAccessibleWindow(CGUIPanel* panel) : QAccessibleWidget(panel, QAccessible::Window) {}

bool CAccessibleWindow::Fits(const CGUIPanel& panel)
{
    return panel.isWindow() && panel.windowType() != Qt::Dialog;
}

QAccessible::Role CAccessibleWindow::role() const
{
    return widget()->windowType() == Qt::Tool ? QAccessible::Dialog : QAccessible::Window;
}

QString CAccessibleWindow::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name)
        return QAccessibleWidget::text(t);
    if (role() == QAccessible::Dialog) {
        // Its title is the program's; what it is doing is in its words.
        if (QString words = TopmostLabelText(*widget()); !words.isEmpty())
            return words;
    }
    return widget()->windowTitle().simplified();
}
