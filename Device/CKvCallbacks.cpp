#include "CKvCallbacks.h"

#include "CInterfacePins.h"
#include "CKvEventSinks.h"

#include <objbase.h>
#include <ocidl.h>

#include <memory>
#include <vector>

namespace
{
constexpr int32_t kKeypadProductId = 0x0111;

class CCallbackList
{
    std::vector<std::unique_ptr<IKvCallback>> m_callbacks;
    HRESULT m_com;
    // The service calls this process's sinks; their interfaces stay registered for good.
    CInterfacePins m_pins;

public:
    CCallbackList() : m_com(CoInitialize(nullptr))
    {
        if (SUCCEEDED(m_com))
            PinSinkInterfaces();
    }
    ~CCallbackList()
    {
        Clear();
        m_pins.ReleaseAll();
        if (SUCCEEDED(m_com))
            CoUninitialize();
    }
    CCallbackList(const CCallbackList&) = delete;
    CCallbackList& operator=(const CCallbackList&) = delete;

    IKvCallback* Add(std::unique_ptr<IKvCallback> callback)
    {
        m_callbacks.push_back(std::move(callback));
        return m_callbacks.back().get();
    }

    void AdviseAll()
    {
        for (auto& callback : m_callbacks)
            callback->Advise();
    }

    void UnadviseAll()
    {
        for (auto& callback : m_callbacks)
            callback->Unadvise();
    }

    void Clear()
    {
        while (!m_callbacks.empty())
            m_callbacks.pop_back();
    }

private:
    // A pin that cannot be made costs only that protection: the sinks work without it.
    void PinSinkInterfaces()
    {
        CComPtr<IUnknown> keymapSink;
        keymapSink.Attach(new CKvKeymapEventSink(nullptr));
        CComPtr<IUnknown> profileSink;
        profileSink.Attach(new CKvProfileEventSink(nullptr));
        if (FAILED(m_pins.Add(keymapSink.Get(), IID_IUnknown)) ||
            FAILED(m_pins.Add(keymapSink.Get(), IID__IKeyMapManagerEvents)) ||
            FAILED(m_pins.Add(profileSink.Get(), IID__IProfileManagerEvents)))
            OutputDebugStringW(L"KavroVelmora: the event sinks' interfaces could not be pinned\n");
    }
};

CCallbackList& Callbacks()
{
    static CCallbackList list;
    return list;
}
}

CKvDevice::CKvDevice()
{
    if (FAILED(CoCreateInstance(CLSID_DeviceService, nullptr, 0x17, IID_IDeviceList,
            reinterpret_cast<void**>(m_deviceList.Receive()))))
        return;
    m_productId = kKeypadProductId;
    for (LONG i = 0;; ++i) {
        CComPtr<IDevice> item;
        if (FAILED(m_deviceList->Item(i, item.Receive())))
            return;
        CComPtr<IDeviceIdentity> identity;
        LONG vendor = 0;
        LONG product = 0;
        if (SUCCEEDED(item.QueryInterface(IID_IDeviceIdentity, identity)) &&
            SUCCEEDED(identity->GetIds(&vendor, &product)) && product == m_productId) {
            m_device = item;
            return;
        }
    }
}

CKvDevice::~CKvDevice()
{
    m_device.Release();
    m_deviceList.Release();
}

void CKvConnection::Advise(IUnknown* source, REFIID eventIid, IUnknown* sink)
{
    if (!source || !sink || m_cookie != 0)
        return;
    CComPtr<IConnectionPointContainer> container;
    CComPtr<IConnectionPoint> point;
    DWORD cookie = 0;
    if (FAILED(source->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.Receive()))) ||
        FAILED(container->FindConnectionPoint(eventIid, point.Receive())))
        return;
    // Only a successful advise counts as a connection, so a failed one is tried again.
    if (SUCCEEDED(point->Advise(sink, &cookie)))
        m_cookie = cookie;
}

void CKvConnection::Unadvise(IUnknown* source, REFIID eventIid)
{
    if (!source || m_cookie == 0)
        return;
    CComPtr<IConnectionPointContainer> container;
    CComPtr<IConnectionPoint> point;
    if (SUCCEEDED(source->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.Receive()))) &&
        SUCCEEDED(container->FindConnectionPoint(eventIid, point.Receive())))
        point->Unadvise(m_cookie);
    // The server forgets a dead connection by itself; this side never advises it twice.
    m_cookie = 0;
}

CKvKeymapCallback::CKvKeymapCallback(IKvKeymapEventHandler* handler)
    : m_handler(handler)
{
    if (m_device)
        m_device->GetManager(IID_IProfileManager, reinterpret_cast<IUnknown**>(m_profiles.Receive()));
    TakeActiveSource();
    m_sink.Attach(new CKvKeymapEventSink(m_handler));
    m_profileSink.Attach(new CKvProfileEventSink(this));
}

CKvKeymapCallback::~CKvKeymapCallback()
{
    Unadvise();
    m_profileSink->DetachHandler();
    m_profileSink.Release();
    m_sink.Release();
    m_source.Release();
    m_profiles.Release();
}

void CKvKeymapCallback::TakeActiveSource()
{
    m_source.Release();
    CComPtr<IProfile> active;
    if (m_profiles && SUCCEEDED(m_profiles->GetActive(active.Receive())))
        active->GetSubObject(IID_IKeyMapManager, reinterpret_cast<IUnknown**>(m_source.Receive()));
}

void CKvKeymapCallback::Advise()
{
    m_profileConnection.Advise(m_profiles.Get(), IID__IProfileManagerEvents, m_profileSink.Get());
    m_connection.Advise(m_source.Get(), IID__IKeyMapManagerEvents, m_sink.Get());
}

void CKvKeymapCallback::Unadvise()
{
    m_connection.Unadvise(m_source.Get(), IID__IKeyMapManagerEvents);
    m_profileConnection.Unadvise(m_profiles.Get(), IID__IProfileManagerEvents);
}

// Only while the callback is switched on (its profile connection stands) does it move.
void CKvKeymapCallback::OnActiveProfileChanged(const GUID*)
{
    if (!m_profileConnection.IsAdvised())
        return;
    m_connection.Unadvise(m_source.Get(), IID__IKeyMapManagerEvents);
    TakeActiveSource();
    m_connection.Advise(m_source.Get(), IID__IKeyMapManagerEvents, m_sink.Get());
}

CKvProfileCallback::CKvProfileCallback(IKvProfileEventHandler* handler)
    : m_handler(handler)
{
    if (m_device)
        m_device->GetManager(IID_IProfileManager, reinterpret_cast<IUnknown**>(m_source.Receive()));
    m_sink.Attach(new CKvProfileEventSink(m_handler));
}

CKvProfileCallback::~CKvProfileCallback()
{
    Unadvise();
    m_sink.Release();
    m_source.Release();
}

void CKvProfileCallback::Advise()
{
    m_connection.Advise(m_source.Get(), IID__IProfileManagerEvents, m_sink.Get());
}

void CKvProfileCallback::Unadvise()
{
    m_connection.Unadvise(m_source.Get(), IID__IProfileManagerEvents);
}

void InitCallbackList()
{
    Callbacks();
}

IKvCallback* CreateKeymapCallback(IKvKeymapEventHandler* handler)
{
    return Callbacks().Add(std::make_unique<CKvKeymapCallback>(handler));
}

IKvCallback* CreateProfileCallback(IKvProfileEventHandler* handler)
{
    return Callbacks().Add(std::make_unique<CKvProfileCallback>(handler));
}

void AdviseAllCallbacks()
{
    Callbacks().AdviseAll();
}

void UnadviseAllCallbacks()
{
    Callbacks().UnadviseAll();
}

void DestroyAllCallbacks()
{
    Callbacks().Clear();
}
