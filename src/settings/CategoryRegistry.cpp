// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/CategoryRegistry.h"

void CCategoryRegistry::Register(tCategoryId id, CCategory* category)
{
    if (id < CategoryId::Lowest || id > CategoryId::Highest || category == nullptr)
        return;
    categories_.try_emplace(id, category);
}

CCategory* CCategoryRegistry::Find(tCategoryId id) const
{
    auto it = categories_.find(id);
    return it == categories_.end() ? nullptr : it->second;
}

bool CCategoryRegistry::IsAnyModified() const
{
    for (const auto& [id, category] : categories_) {
        if (category->IsModified())
            return true;
    }
    return false;
}

bool CCategoryRegistry::IsModified(tCategoryId id) const
{
    const CCategory* category = Find(id);
    return category == nullptr || category->IsModified();
}

void CCategoryRegistry::CommitAll()
{
    for (auto& [id, category] : categories_)
        category->Commit();
}

void CCategoryRegistry::MarkAllModified()
{
    for (auto& [id, category] : categories_)
        category->MarkModified();
}
