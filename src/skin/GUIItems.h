// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The items one skin file produced, in the order they were read. The collection owns
// them: destroying it (or clearing it) destroys every item, the controls included.
// Controls that Qt already destroyed with their parent window are skipped, never
// touched again.
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include <QPointer>

#include "platform/core/MessageTarget.h"
#include "skin/GUIItem.h"

class CGUIItems {
public:
    CGUIItems() = default;
    ~CGUIItems();
    CGUIItems(const CGUIItems&) = delete;
    CGUIItems& operator=(const CGUIItems&) = delete;

    // Takes ownership; a null item is ignored. Returns the stored item.
    CGUIItem* Add(std::unique_ptr<CGUIItem> item);

    // First item with this id, or null.
    CGUIItem* FindById(int id) const;
    // First item with this id and kind, or null.
    CGUIItem* FindById(int id, int kind) const;
    // First item whose window is this one, or null (buttons are told apart this way).
    CGUIItem* FindByWindow(const CSkinWindow* window) const;
    // The same for a window handle as messages carry it (the lParam of WM_COMMAND).
    CGUIItem* FindByHandle(const IMessageTarget* handle) const;

    // First item with this id that is of type T, or null.
    template <class T>
    T* FindAs(int id) const
    {
        for (const auto& entry : entries_)
            if (IsAlive(entry) && entry.item->id == id)
                if (auto* typed = dynamic_cast<T*>(entry.item))
                    return typed;
        return nullptr;
    }

    // Calls Show(flag) on every item in order.
    void ShowAll(int flag) const;

    // Destroys every item, last first (children before the windows they live in).
    void Clear();

    // Positions count every item added; an item destroyed with its window reads null.
    std::size_t size() const;
    bool empty() const { return entries_.empty(); }
    CGUIItem* operator[](std::size_t index) const;
    CGUIItem* at(std::size_t index) const;
    // The living items in order.
    std::vector<CGUIItem*> Items() const;

private:
    struct Entry {
        CGUIItem* item = nullptr;
        std::optional<QPointer<QObject>> selfWindow; // set when the item is a QObject
    };
    static bool IsAlive(const Entry& entry);

    std::vector<Entry> entries_;
};
