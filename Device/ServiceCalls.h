// Small helpers around the device service's calls: its returned strings, names and
// sub-objects, and look-ups by GUID.
#pragma once

#include "CComPtr.h"
#include "CString.h"
#include "DeviceService.h"
#include "GuidText.h"

#include <objbase.h>

// Takes a CoTaskMem string the service returned.
inline CString TakeServiceText(LPWSTR text)
{
    CString copy(text);
    CoTaskMemFree(text);
    return copy;
}

template <class Item>
bool ReadServiceName(Item* item, CString& name)
{
    LPWSTR text = nullptr;
    if (FAILED(item->GetName(&text)))
        return false;
    name = TakeServiceText(text);
    return true;
}

template <class T, class Item>
bool GetServiceSubObject(Item* item, REFIID iid, CComPtr<T>& out)
{
    return SUCCEEDED(item->GetSubObject(iid, reinterpret_cast<IUnknown**>(out.Receive())));
}

template <class Manager, class Item>
bool GetServiceItemById(Manager* manager, const GUID& id, CComPtr<Item>& out)
{
    uint32_t w[4];
    GuidToWords(id, w);
    return SUCCEEDED(manager->GetById(w[0], w[1], w[2], w[3], out.Receive()));
}
