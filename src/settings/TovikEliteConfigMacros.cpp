// SPDX-License-Identifier: GPL-3.0-or-later
// Macros and application entries of the configuration. Each live object has a
// category that compares it with the snapshot taken at the last commit.
#include "platform/core/TextCase.h"
#include "settings/TovikEliteConfig.h"

#include <algorithm>

// --- macros and application entries ---------------------------------------------------------

CMacro* CTovikEliteConfig::CreateMacro(std::u16string_view name)
{
    if (FindMacroByName(name) != nullptr)
        return nullptr;
    return AppendMacro(name);
}

CMacro* CTovikEliteConfig::AppendMacro(std::u16string_view name)
{
    if (!CMacro::IsValidName(name))
        return nullptr;
    auto macro = std::make_unique<CMacro>();
    macro->SetName(name);
    CMacro* created = macros_.emplace_back(std::move(macro)).get();
    macroCategories_.Append(CCatMacro(created));
    return created;
}

void CTovikEliteConfig::DeleteMacro(CMacro* macro)
{
    auto it = std::find_if(macros_.begin(), macros_.end(), [macro](const auto& owned) { return owned.get() == macro; });
    if (macro == nullptr || it == macros_.end())
        return;
    for (size_t i = 0; i < macroCategories_.Size(); ++i) {
        if (macroCategories_.At(i)->Live() == macro) {
            macroCategories_.RemoveAt(i);
            break;
        }
    }
    RememberDeletedMacro(macro->GetGuid());
    macros_.erase(it);
}

void CTovikEliteConfig::DeleteAllMacros()
{
    macroCategories_.Clear();
    macros_.clear();
    deletedMacros_.clear();
}

CMacro* CTovikEliteConfig::FindMacroByGuid(const GUID& guid) const
{
    for (const auto& macro : macros_) {
        if (macro->GetGuid() == guid)
            return macro.get();
    }
    return nullptr;
}

CMacro* CTovikEliteConfig::FindMacroByName(std::u16string_view name) const
{
    for (const auto& macro : macros_) {
        if (EqualsIgnoringCase(macro->GetName(), name))
            return macro.get();
    }
    return nullptr;
}

CMacro* CTovikEliteConfig::GetMacro(size_t index) const
{
    return index < macros_.size() ? macros_[index].get() : nullptr;
}

CZmApp* CTovikEliteConfig::CreateApp(std::u16string_view name)
{
    if (FindAppByName(name) != nullptr)
        return nullptr;
    CZmApp* created = apps_.emplace_back(std::make_unique<CZmApp>(name)).get();
    appCategories_.Append(CCatZmApp(created));
    return created;
}

void CTovikEliteConfig::DeleteApp(CZmApp* app)
{
    auto it = std::find_if(apps_.begin(), apps_.end(), [app](const auto& owned) { return owned.get() == app; });
    if (app == nullptr || it == apps_.end())
        return;
    for (size_t i = 0; i < appCategories_.Size(); ++i) {
        if (appCategories_.At(i)->Live() == app) {
            appCategories_.RemoveAt(i);
            break;
        }
    }
    apps_.erase(it);
}

CZmApp* CTovikEliteConfig::FindAppByGuid(const GUID& guid) const
{
    for (const auto& app : apps_) {
        if (app->GetGuid() == guid)
            return app.get();
    }
    return nullptr;
}

CZmApp* CTovikEliteConfig::FindAppByName(std::u16string_view name) const
{
    for (const auto& app : apps_) {
        if (EqualsIgnoringCase(app->GetName(), name))
            return app.get();
    }
    return nullptr;
}

CZmApp* CTovikEliteConfig::GetApp(size_t index) const
{
    return index < apps_.size() ? apps_[index].get() : nullptr;
}
