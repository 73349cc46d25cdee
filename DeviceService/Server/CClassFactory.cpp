#include "CClassFactory.h"

#include "CServiceObject.h"

#include <new>

HRESULT CClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    auto* service = new (std::nothrow) CServiceObject();
    if (!service)
        return E_OUTOFMEMORY;
    const HRESULT hr = service->QueryInterface(iid, object);
    service->Release();
    return hr;
}

// The server lives until it is told to shut down, so locks change nothing.
HRESULT CClassFactory::LockServer(BOOL /*lock*/)
{
    return S_OK;
}
