// Small pieces every COM object of the service uses.
#pragma once

#include "CKeypadModel.h"

#include <string>

inline CKeypadModel& Model() { return CKeypadModel::Instance(); }

// A CoTaskMem copy of text for an out parameter.
HRESULT CopyText(const std::wstring& text, LPWSTR* out);

// S_OK for a name of 1 to 255 characters.
HRESULT CheckName(LPCWSTR name);

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
