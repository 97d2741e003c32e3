// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The macro's event display as a list of its events ("A down", "Delay 0.05 s"),
// each a row without a window of its own.
#include <QAccessibleInterface>
#include <QAccessibleWidget>
#include <QPointer>
#include <vector>

class CMacroDisplayItem;

class CAccessibleMacroDisplay : public QAccessibleWidget {
public:
    explicit CAccessibleMacroDisplay(CMacroDisplayItem* display);
    ~CAccessibleMacroDisplay() override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

private:
    CMacroDisplayItem* Display() const;
    // Row interfaces made so far; the accessibility cache owns them until this goes.
    mutable std::vector<QAccessible::Id> rowIds_;
};

class CAccessibleMacroEvent : public QAccessibleInterface {
public:
    CAccessibleMacroEvent(CMacroDisplayItem* display, int row);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;

    int Row() const { return row_; }

private:
    QPointer<CMacroDisplayItem> display_;
    int row_;
};
