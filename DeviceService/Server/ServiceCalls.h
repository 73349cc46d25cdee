// Small pieces every COM object of the service uses.
#pragma once

#include "CKeypadModel.h"
#include "CObjectCache.h"

#include <new>
#include <string>
#include <vector>

inline CKeypadModel& Model() { return CKeypadModel::Instance(); }

// A CoTaskMem copy of text for an out parameter.
HRESULT CopyText(const std::wstring& text, LPWSTR* out);

// S_OK for a name of 1 to 255 characters.
HRESULT CheckName(LPCWSTR name);

// The id of the index'th of items; kNoMoreItems past the end.
template <class Item>
HRESULT IdAt(const std::vector<Item>& items, LONG index, GUID& id)
{
    if (index < 0 || size_t(index) >= items.size())
        return kNoMoreItems;
    id = items[size_t(index)].id;
    return S_OK;
}

// Erases the item of id from items; kNotFound when there is none.
template <class Item>
HRESULT EraseById(std::vector<Item>& items, const GUID& id)
{
    for (auto it = items.begin(); it != items.end(); ++it) {
        if (IsEqualGUID(it->id, id)) {
            items.erase(it);
            return S_OK;
        }
    }
    return kNotFound;
}

// After a look-up that answered hr: key's shared object as Interface in *out, made as
// T(args...) the first time.
template <class T, class Interface, class... Args>
HRESULT HandOut(HRESULT hr, const ObjectKey& key, Interface** out, const Args&... args)
{
    if (FAILED(hr))
        return hr;
    return CObjectCache::Instance().HandOut(key, __uuidof(Interface), reinterpret_cast<void**>(out), [&]() -> IUnknown* {
        T* object = new (std::nothrow) T(args...);
        return object ? static_cast<typename T::FirstInterface*>(object) : nullptr;
    });
}

// After a delete that answered hr: the objects of the item that went go too.
inline HRESULT Forgotten(HRESULT hr, const GUID& id)
{
    if (hr == S_OK)
        CObjectCache::Instance().Forget(id);
    return hr;
}

// The id of an item the caller passes back (a profile, key map or macro of this service).
template <class Item>
HRESULT IdOf(Item* item, GUID& id)
{
    if (!item)
        return E_POINTER;
    return item->GetId(&id);
}

// GetId, GetName and SetName as every named item of the keypad (profile, key map, macro)
// answers them; find(keypad) gives the item, or null once it is gone.
template <class Find>
HRESULT GetItemId(const wchar_t* method, const GUID& own, GUID* id, Find find)
{
    HRESULT hr = Model().BeginCall(method);
    if (FAILED(hr))
        return hr;
    if (!id)
        return E_POINTER;
    *id = own;
    return Model().Read([&](SimKeypad& keypad) { return find(keypad) ? S_OK : kNotFound; });
}

template <class Find>
HRESULT GetItemName(const wchar_t* method, LPWSTR* name, Find find)
{
    HRESULT hr = Model().BeginCall(method);
    if (FAILED(hr))
        return hr;
    if (!name)
        return E_POINTER;
    *name = nullptr;
    return Model().Read([&](SimKeypad& keypad) {
        auto* item = find(keypad);
        return item ? CopyText(item->name, name) : kNotFound;
    });
}

template <class Find>
HRESULT SetItemName(const wchar_t* method, LPCWSTR name, Find find)
{
    HRESULT hr = Model().BeginCall(method);
    if (FAILED(hr))
        return hr;
    hr = CheckName(name);
    if (FAILED(hr))
        return hr;
    return Model().Modify([&](SimKeypad& keypad) {
        auto* item = find(keypad);
        if (!item)
            return kNotFound;
        item->name = name;
        return S_OK;
    });
}
