// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A part of a control that has no window of its own (a list row, a macro event, a
// table cell), known by the control that draws it and its row. Once the control is
// gone, or the row no longer exists, it reports itself invalid; it never keeps a
// copy of what it reads.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QPointer>
#include <QWidget>
#include <map>

class CAccessibleRowChild : public QAccessibleInterface {
public:
    CAccessibleRowChild(QWidget* owner, int row);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    // The part's rectangle on the screen (empty once invalid).
    QRect rect() const override;

    int Row() const { return row_; }

protected:
    QWidget* Owner() const { return owner_.data(); }
    // How many rows the owner has now.
    virtual int OwnerRowCount() const = 0;
    // The part's rectangle in the owner's coordinates.
    virtual QRect LocalRect() const = 0;
    // What every row says of itself: selectable, whether it is selected, off screen
    // while scrolled out of the owner's shown rows, invisible with its owner; only
    // "invalid" once it is gone.
    QAccessible::State RowState(bool selected, int topRow, int visibleRows) const;

private:
    QPointer<QWidget> owner_;
    int row_;
};

// The index of a row child among its owner's children: its row, or -1 when it is
// not a row of `owner` or that row no longer exists.
int IndexOfRowChild(const QAccessibleInterface* child, const QAccessibleInterface* owner, int rowCount);

// The interfaces of an owner's windowless parts, made the first time each is asked
// for and kept by Qt's accessibility cache until the owner's interface goes.
template <class Key>
class CAccessibleChildIds {
public:
    CAccessibleChildIds() = default;
    CAccessibleChildIds(const CAccessibleChildIds&) = delete;
    CAccessibleChildIds& operator=(const CAccessibleChildIds&) = delete;
    ~CAccessibleChildIds()
    {
        for (const auto& [key, id] : ids_)
            QAccessible::deleteAccessibleInterface(id);
    }

    template <class Make>
    QAccessibleInterface* Get(const Key& key, Make&& make)
    {
        QAccessible::Id& id = ids_[key];
        if (!id)
            id = QAccessible::registerAccessibleInterface(make());
        return QAccessible::accessibleInterface(id);
    }

private:
    std::map<Key, QAccessible::Id> ids_;
};
