// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A skinned top-level window other than a popup (popups have their own
// interface). Without it a screen reader meets a nameless filler where the user
// expects a window: the main window is a frame named by its title, a tool window
// (the progress window of a read or write) a dialog named by its first words.
#include <QAccessibleWidget>

class CGUIPanel;

class CAccessibleWindow : public QAccessibleWidget {
public:
    explicit CAccessibleWindow(CGUIPanel* panel);
    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;

    // Whether `panel` gets this interface: a window that is not a dialog.
    static bool Fits(const CGUIPanel& panel);
};
