// DeviceServiceEventProbe READY-EVENT PROFILE-GUID TIMEOUT-MS [stall]: a second client of
// the device service. It advises a profile sink on its own thread, signals READY-EVENT and
// pumps messages; it exits 0 when the event for PROFILE-GUID arrives on that thread,
// 2 when the time runs out, 1 when it cannot connect. With "stall" it never pumps, as a
// program that hangs: a call to its sink does not come back.
#include "CComPtr.h"
#include "DeviceService.h"
#include "GuidText.h"

#include <objbase.h>
#include <ocidl.h>

#include <cstdlib>
#include <cwchar>

namespace {

class CProbeSink : public _IProfileManagerEvents
{
    LONG m_refs = 1;

public:
    GUID wanted{};
    DWORD thread = GetCurrentThreadId();
    bool arrived = false;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID__IProfileManagerEvents)) {
            *out = static_cast<_IProfileManagerEvents*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_refs); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--m_refs); }
    STDMETHODIMP OnActiveProfileChanged(const GUID* profileId) override
    {
        if (profileId && IsEqualGUID(*profileId, wanted) && GetCurrentThreadId() == thread)
            arrived = true;
        return S_OK;
    }
};

int Probe(const wchar_t* readyName, const GUID& wanted, DWORD timeoutMs, bool stall)
{
    CComPtr<IDeviceList> list;
    if (FAILED(CoCreateInstance(CLSID_DeviceService, nullptr, CLSCTX_ALL, IID_IDeviceList,
                                reinterpret_cast<void**>(list.Receive()))))
        return 1;
    CComPtr<IDevice> device;
    CComPtr<IProfileManager> profiles;
    CComPtr<IConnectionPointContainer> container;
    CComPtr<IConnectionPoint> point;
    if (FAILED(list->Item(0, device.Receive())) ||
        FAILED(device->GetManager(IID_IProfileManager, reinterpret_cast<IUnknown**>(profiles.Receive()))) ||
        FAILED(profiles.QueryInterface(IID_IConnectionPointContainer, container)) ||
        FAILED(container->FindConnectionPoint(IID__IProfileManagerEvents, point.Receive())))
        return 1;
    CProbeSink sink;
    sink.wanted = wanted;
    DWORD cookie = 0;
    if (FAILED(point->Advise(&sink, &cookie)))
        return 1;
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, readyName);
    if (!ready || !SetEvent(ready))
        return 1;
    CloseHandle(ready);
    if (stall) {
        Sleep(timeoutMs);
        return 2;
    }
    const DWORD start = GetTickCount();
    while (!sink.arrived && GetTickCount() - start < timeoutMs) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    point->Unadvise(cookie);
    return sink.arrived ? 0 : 2;
}

}

int wmain(int argc, wchar_t** argv)
{
    GUID wanted{};
    const bool stall = argc == 5 && wcscmp(argv[4], L"stall") == 0;
    if ((argc != 4 && !stall) || !GuidFromString(argv[2], wanted))
        return 1;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    const int rc = Probe(argv[1], wanted, static_cast<DWORD>(wcstoul(argv[3], nullptr, 10)), stall);
    CoUninitialize();
    return rc;
}
