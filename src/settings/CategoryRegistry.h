// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The categories of one owner (a profile or the configuration) by identifier.
// Registration happens once, in the owner's constructor; the registry does not own
// the categories.
#include "settings/Category.h"
#include "settings/CategoryId.h"

#include <map>

class CCategoryRegistry {
public:
    // Identifiers outside 0..32 are ignored; the first registration of an
    // identifier wins.
    void Register(tCategoryId id, CCategory* category);

    CCategory* Find(tCategoryId id) const;
    size_t Size() const { return categories_.size(); }

    // True at the first modified category in ascending identifier order.
    bool IsAnyModified() const;
    // An identifier that is not registered counts as modified, so a caller that
    // asks about something this owner does not track always sends it.
    bool IsModified(tCategoryId id) const;
    // Commits every registered category in ascending identifier order.
    void CommitAll();
    // Every registered category reports modified until its next commit.
    void MarkAllModified();

private:
    std::map<tCategoryId, CCategory*> categories_;
};
