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

// Several interfaces of one service object: a proxy fetches those it does not hold yet in
// one round trip (IMultiQI); an object without it answers each query by itself. A query
// the object refuses leaves its pItf null.
inline void QueryServiceInterfaces(IUnknown* item, MULTI_QI* queries, ULONG count)
{
    CComPtr<IMultiQI> multi;
    if (SUCCEEDED(item->QueryInterface(IID_IMultiQI, reinterpret_cast<void**>(multi.Receive()))) &&
        SUCCEEDED(multi->QueryMultipleInterfaces(count, queries)))
        return;
    for (ULONG i = 0; i < count; ++i) {
        if (!queries[i].pItf)
            queries[i].hr = item->QueryInterface(*queries[i].pIID, reinterpret_cast<void**>(&queries[i].pItf));
    }
}
