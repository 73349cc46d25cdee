#include "ServiceClient.h"

#include <objbase.h>
#include <ocidl.h>

std::wstring TakeText(LPWSTR text)
{
    std::wstring copy = text ? text : L"";
    CoTaskMemFree(text);
    return copy;
}

CComPtr<IDeviceServiceControl> CreateControl()
{
    CComPtr<IDeviceServiceControl> control;
    EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_DeviceService, nullptr, CLSCTX_ALL, IID_IDeviceServiceControl,
                                              reinterpret_cast<void**>(control.Receive())));
    return control;
}

CComPtr<IDevice> FindKeypad()
{
    CComPtr<IDeviceList> list;
    CComPtr<IDevice> device;
    if (FAILED(CoCreateInstance(CLSID_DeviceService, nullptr, CLSCTX_ALL, IID_IDeviceList,
                                reinterpret_cast<void**>(list.Receive()))))
        return device;
    for (LONG i = 0;; ++i) {
        CComPtr<IDevice> item;
        if (FAILED(list->Item(i, item.Receive())))
            return device;
        DeviceInfo info{};
        if (SUCCEEDED(item->GetInfo(&info))) {
            CoTaskMemFree(info.name);
            if (info.productId == 0x0111)
                return item;
        }
    }
}

HRESULT CRecordingProfileSink::QueryInterface(REFIID iid, void** out)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID__IProfileManagerEvents)) {
        *out = static_cast<_IProfileManagerEvents*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG CRecordingProfileSink::Release()
{
    // The test owns the sink on its stack; the count only has to stay consistent.
    return static_cast<ULONG>(--m_refs);
}

HRESULT CRecordingProfileSink::OnActiveProfileChanged(const GUID* profileId)
{
    received.push_back(profileId ? *profileId : GUID{});
    threads.push_back(GetCurrentThreadId());
    if (insideCall)
        arrivedInsideCall = true;
    return S_OK;
}

CAdvise::CAdvise(IUnknown* source, REFIID iid, IUnknown* sink)
{
    CComPtr<IConnectionPointContainer> container;
    if (FAILED(source->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.Receive()))))
        return;
    if (FAILED(container->FindConnectionPoint(iid, m_point.Receive())))
        return;
    if (FAILED(m_point->Advise(sink, &m_cookie)))
        m_cookie = 0;
}

CAdvise::~CAdvise()
{
    if (m_cookie)
        m_point->Unadvise(m_cookie);
}
