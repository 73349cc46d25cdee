#include "CategoryRegistry.h"

void RegisterCategory(int id, CCategoryRegistry& registry, CCategory* category)
{
    if (id < 0 || id > kCatLastId || !category)
        return;
    auto found = registry.find(id);
    if (found != registry.end() && found->second)
        return;
    registry[id] = category;
}

bool IsCategoryChanged(const CCategoryRegistry& registry, int id)
{
    auto found = registry.find(id);
    if (found == registry.end() || !found->second)
        return true;
    return found->second->IsChanged();
}

bool IsRegistryChanged(const CCategoryRegistry& registry)
{
    for (const auto& entry : registry) {
        if (entry.second && entry.second->IsChanged())
            return true;
    }
    return false;
}

void AcceptAllCategories(const CCategoryRegistry& registry)
{
    for (const auto& entry : registry) {
        if (entry.second)
            entry.second->Accept();
    }
}
