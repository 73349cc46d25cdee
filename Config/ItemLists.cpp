#include "ItemLists.h"

namespace
{
template <typename List, typename Record>
void RemoveEntry(List& list, Record* record)
{
    for (auto entry = list.begin(); record && entry != list.end(); ++entry) {
        if (entry->GetLive() == record) {
            entry->DeleteLive();
            list.erase(entry);
            return;
        }
    }
}

template <typename List>
void RemoveAllEntries(List& list)
{
    while (!list.empty()) {
        list.back().DeleteLive();
        list.pop_back();
    }
}

// The first live record the predicate accepts, or null.
template <typename List, typename Predicate>
auto FindLive(const List& list, Predicate accepts) -> decltype(list.front().GetLive())
{
    for (const auto& entry : list) {
        if (entry.GetLive() && accepts(*entry.GetLive()))
            return entry.GetLive();
    }
    return nullptr;
}

template <typename List>
auto GetEntry(const List& list, int index) -> decltype(list.front().GetLive())
{
    if (index < 0 || index >= static_cast<int>(list.size()))
        return nullptr;
    return list[static_cast<size_t>(index)].GetLive();
}
}

CMacro* AddMacro(CCatMacroList& list, const CString& name)
{
    if (FindMacroByName(list, name))
        return nullptr;
    list.push_back(CCatMacro(name.GetString()));
    return list.back().GetLive();
}

void RemoveMacro(CCatMacroList& list, CMacro* macro)
{
    RemoveEntry(list, macro);
}

CMacro* FindMacroByGUID(const CCatMacroList& list, const GUID& id)
{
    return FindLive(list, [&](const CMacro& macro) { return IsEqualGUID(macro.m_id, id) != FALSE; });
}

CMacro* FindMacroByName(const CCatMacroList& list, const CString& name)
{
    return FindLive(list, [&](const CMacro& macro) { return name.CompareNoCase(macro.GetName()) == 0; });
}

CMacro* GetMacro(const CCatMacroList& list, int index)
{
    return GetEntry(list, index);
}

void RemoveAllMacros(CCatMacroList& list)
{
    RemoveAllEntries(list);
}

CKvApp* AddApplication(CCatKvAppList& list, const CString& path)
{
    if (FindApplicationByName(list, path))
        return nullptr;
    list.push_back(CCatKvApp(path));
    return list.back().GetLive();
}

void RemoveApplication(CCatKvAppList& list, CKvApp* application)
{
    RemoveEntry(list, application);
}

CKvApp* FindApplicationByGUID(const CCatKvAppList& list, const GUID& id)
{
    return FindLive(list, [&](const CKvApp& app) { return IsEqualGUID(app.m_id, id) != FALSE; });
}

CKvApp* FindApplicationByName(const CCatKvAppList& list, const CString& path)
{
    return FindLive(list, [&](const CKvApp& app) { return path.CompareNoCase(app.m_path) == 0; });
}

CKvApp* GetApplication(const CCatKvAppList& list, int index)
{
    return GetEntry(list, index);
}

void RemoveAllApplications(CCatKvAppList& list)
{
    RemoveAllEntries(list);
}
