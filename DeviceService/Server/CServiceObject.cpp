#include "CServiceObject.h"

#include "CDeviceObject.h"
#include "ServiceCalls.h"

#include <new>

HRESULT CServiceObject::Item(LONG index, IDevice** device)
{
    const HRESULT hr = Model().BeginCall(L"IDeviceList::Item", false);
    if (FAILED(hr))
        return hr;
    if (!device)
        return E_POINTER;
    *device = nullptr;
    // The list holds the one keypad while it is plugged in, and nothing otherwise.
    if (index != 0 || !Model().IsPresent())
        return kNoMoreItems;
    return HandOut<CDeviceObject>(S_OK, ObjectKey{ ObjectKind::Device, GUID{}, GUID{}, 0 }, device);
}

HRESULT CServiceObject::SetPresent(LONG present)
{
    Model().SetPresent(present != 0);
    return S_OK;
}

HRESULT CServiceObject::FailMethod(LPCWSTR method, HRESULT result, LONG afterCalls)
{
    return Model().FailMethod(method, result, afterCalls);
}

HRESULT CServiceObject::SetDelay(LONG milliseconds)
{
    Model().SetDelay(milliseconds);
    return S_OK;
}

HRESULT CServiceObject::FireLaunchApplication(LONG type, LPCWSTR path)
{
    if (!path)
        return E_POINTER;
    Model().FireLaunchApplication(type, path);
    return S_OK;
}

HRESULT CServiceObject::DumpState(LPWSTR* text)
{
    return CopyText(Model().DumpState(), text);
}

HRESULT CServiceObject::GetCallLog(LPWSTR* text)
{
    return CopyText(Model().CallLog(), text);
}

HRESULT CServiceObject::ClearCallLog()
{
    Model().ClearCallLog();
    return S_OK;
}

HRESULT CServiceObject::Reset()
{
    Model().Reset();
    // The factory keypad's items are new ones: the objects of the old ones go.
    CObjectCache::Instance().Clear();
    return S_OK;
}

HRESULT CServiceObject::GetStatePath(LPWSTR* path)
{
    return CopyText(Model().StatePath(), path);
}

HRESULT CServiceObject::Shutdown(DWORD* processId)
{
    if (!processId)
        return E_POINTER;
    *processId = GetCurrentProcessId();
    Model().RequestShutdown();
    return S_OK;
}
