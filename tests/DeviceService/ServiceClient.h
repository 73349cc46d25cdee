// Test helpers around the device service: creating it, reaching its managers, reading
// its strings, and a sink that records the events it receives.
#pragma once

#include "CComPtr.h"
#include "DeviceService.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Takes a CoTaskMem string the service returned.
std::wstring TakeText(LPWSTR text);

CComPtr<IDeviceServiceControl> CreateControl();
CComPtr<IDevice> FindKeypad();
template <class T>
CComPtr<T> Manager(IDevice* device, REFIID iid)
{
    CComPtr<T> manager;
    EXPECT_HRESULT_SUCCEEDED(device->GetManager(iid, reinterpret_cast<IUnknown**>(manager.Receive())));
    return manager;
}
template <class T, class Item>
CComPtr<T> SubObject(Item* item, REFIID iid)
{
    CComPtr<T> object;
    EXPECT_HRESULT_SUCCEEDED(item->GetSubObject(iid, reinterpret_cast<IUnknown**>(object.Receive())));
    return object;
}

template <class Item>
std::wstring NameOf(Item* item)
{
    LPWSTR name = nullptr;
    const HRESULT hr = item->GetName(&name);
    EXPECT_HRESULT_SUCCEEDED(hr);
    return TakeText(name);
}

template <class Item>
GUID IdOf(Item* item)
{
    GUID id{};
    EXPECT_HRESULT_SUCCEEDED(item->GetId(&id));
    return id;
}

// Profiles, key maps, macros or LEDs by index until Item fails.
template <class Item, class Manager>
int CountItems(Manager* manager)
{
    for (int count = 0;; ++count) {
        CComPtr<Item> item;
        if (FAILED(manager->Item(count, item.Receive())))
            return count;
    }
}

// Pumps the calling thread's messages until done() or the time is up.
template <class Done>
bool PumpUntil(Done done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

// Records every profile event: the GUID and the thread it arrived on.
class CRecordingProfileSink : public _IProfileManagerEvents
{
    LONG m_refs = 1;

public:
    std::vector<GUID> received;
    std::vector<DWORD> threads;
    bool insideCall = false;     // set by the test around its own calls
    bool arrivedInsideCall = false;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP OnActiveProfileChanged(const GUID* profileId) override;
};

// Advises a sink on a connection-point container and unadvises when it goes.
class CAdvise
{
    CComPtr<IConnectionPoint> m_point;
    DWORD m_cookie = 0;

public:
    CAdvise(IUnknown* source, REFIID iid, IUnknown* sink);
    ~CAdvise();
    bool Ok() const { return m_cookie != 0; }
};
