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
