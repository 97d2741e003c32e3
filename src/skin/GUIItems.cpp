// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/GUIItems.h"

#include "platform/SkinWindow.h"

CGUIItems::~CGUIItems()
{
    Clear();
}

CGUIItem* CGUIItems::Add(std::unique_ptr<CGUIItem> item)
{
    if (!item)
        return nullptr;
    Entry entry;
    // An item that is itself a window may also be destroyed by Qt together with its
    // parent window; the guard tells the collection not to touch it afterwards.
    if (auto* object = dynamic_cast<QObject*>(item.get()))
        entry.selfWindow = object;
    entry.item = item.release();
    entries_.push_back(std::move(entry));
    return entries_.back().item;
}

bool CGUIItems::IsAlive(const Entry& entry)
{
    return entry.item && (!entry.selfWindow.has_value() || !entry.selfWindow->isNull());
}

CGUIItem* CGUIItems::FindById(int id) const
{
    for (const auto& entry : entries_)
        if (IsAlive(entry) && entry.item->id == id)
            return entry.item;
    return nullptr;
}

CGUIItem* CGUIItems::FindById(int id, int kind) const
{
    for (const auto& entry : entries_)
        if (IsAlive(entry) && entry.item->id == id && entry.item->kind == kind)
            return entry.item;
    return nullptr;
}

CGUIItem* CGUIItems::FindByWindow(const CSkinWindow* window) const
{
    if (!window)
        return nullptr;
    for (const auto& entry : entries_)
        if (IsAlive(entry) && entry.item->window == window)
            return entry.item;
    return nullptr;
}

CGUIItem* CGUIItems::FindByHandle(const IMessageTarget* handle) const
{
    if (!handle)
        return nullptr;
    for (const auto& entry : entries_)
        if (IsAlive(entry) && entry.item->window && static_cast<const IMessageTarget*>(entry.item->window) == handle)
            return entry.item;
    return nullptr;
}

void CGUIItems::ShowAll(int flag) const
{
    for (const auto& entry : entries_)
        if (IsAlive(entry))
            entry.item->Show(flag);
}

std::size_t CGUIItems::size() const
{
    return entries_.size();
}

CGUIItem* CGUIItems::operator[](std::size_t index) const
{
    const Entry& entry = entries_[index];
    return IsAlive(entry) ? entry.item : nullptr;
}

CGUIItem* CGUIItems::at(std::size_t index) const
{
    const Entry& entry = entries_.at(index);
    return IsAlive(entry) ? entry.item : nullptr;
}

std::vector<CGUIItem*> CGUIItems::Items() const
{
    std::vector<CGUIItem*> alive;
    alive.reserve(entries_.size());
    for (const auto& entry : entries_)
        if (IsAlive(entry))
            alive.push_back(entry.item);
    return alive;
}

void CGUIItems::Clear()
{
    while (!entries_.empty()) {
        Entry entry = std::move(entries_.back());
        entries_.pop_back();
        if (IsAlive(entry))
            delete entry.item;
    }
}
