#include "CClassFactory.h"

#include "CObjectCache.h"
#include "CServiceObject.h"

#include <new>

HRESULT CClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    // Every client shares the one service object.
    return CObjectCache::Instance().HandOut(ObjectKey{ ObjectKind::Service, GUID{}, GUID{}, 0 }, iid, object,
                                            []() -> IUnknown* {
                                                auto* service = new (std::nothrow) CServiceObject();
                                                return service ? static_cast<IDeviceList*>(service) : nullptr;
                                            });
}

// The server lives until it is told to shut down, so locks change nothing.
HRESULT CClassFactory::LockServer(BOOL /*lock*/)
{
    return S_OK;
}
