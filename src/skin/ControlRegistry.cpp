// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/ControlRegistry.h"

#include <map>
#include <mutex>

namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, ControlFactory, std::less<>> factories;
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

} // namespace

void RegisterControlFactory(std::string_view elementName, ControlFactory factory)
{
    auto& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registry.factories[std::string(elementName)] = std::move(factory);
}

void UnregisterControlFactory(std::string_view elementName)
{
    auto& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    auto found = registry.factories.find(elementName);
    if (found != registry.factories.end())
        registry.factories.erase(found);
}

void ClearControlFactories()
{
    auto& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registry.factories.clear();
}

ControlFactory FindControlFactory(std::string_view elementName)
{
    auto& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    auto found = registry.factories.find(elementName);
    return found == registry.factories.end() ? ControlFactory() : found->second;
}
