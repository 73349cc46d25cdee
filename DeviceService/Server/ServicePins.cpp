#include "ServicePins.h"

#include "CApplicationManagerObject.h"
#include "CApplicationObject.h"
#include "CButtonAssignmentsObject.h"
#include "CClassFactory.h"
#include "CConnectionPoint.h"
#include "CDeviceObject.h"
#include "CKeyAssignmentsObject.h"
#include "CKeymapManagerObject.h"
#include "CKeymapObject.h"
#include "CLedManagerObject.h"
#include "CLedObject.h"
#include "CMacroManagerObject.h"
#include "CMacroObject.h"
#include "CProfileManagerObject.h"
#include "CProfileObject.h"
#include "CServiceObject.h"

#include <new>

namespace {

// Pins every interface of object, then lets the pins own it.
template <class T>
HRESULT PinEach(CInterfacePins& pins, T* object)
{
    if (!object)
        return E_OUTOFMEMORY;
    CComPtr<IUnknown> owner;
    owner.Attach(static_cast<IUnknown*>(static_cast<typename T::FirstInterface*>(object)));
    for (const IID& iid : T::InterfaceIds()) {
        const HRESULT hr = pins.Add(owner.Get(), iid);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

}

HRESULT PinServiceInterfaces(CInterfacePins& pins)
{
    const GUID none{};
    auto* profiles = new (std::nothrow) CProfileManagerObject();
    CComPtr<IConnectionPointContainer> container(profiles);
    HRESULT results[] = {
        PinEach(pins, new (std::nothrow) CClassFactory()),
        PinEach(pins, new (std::nothrow) CServiceObject()),
        PinEach(pins, new (std::nothrow) CDeviceObject()),
        PinEach(pins, profiles),
        PinEach(pins, new (std::nothrow) CProfileObject(none)),
        PinEach(pins, new (std::nothrow) CKeymapManagerObject(none)),
        PinEach(pins, new (std::nothrow) CKeymapObject(none, none)),
        PinEach(pins, new (std::nothrow) CKeyAssignmentsObject(none, none)),
        PinEach(pins, new (std::nothrow) CButtonAssignmentsObject(none, none)),
        PinEach(pins, new (std::nothrow) CLedManagerObject(none)),
        PinEach(pins, new (std::nothrow) CLedObject(none, 0)),
        PinEach(pins, new (std::nothrow) CMacroManagerObject()),
        PinEach(pins, new (std::nothrow) CMacroObject(none)),
        PinEach(pins, new (std::nothrow) CApplicationManagerObject()),
        PinEach(pins, new (std::nothrow) CApplicationObject(none)),
        container ? PinEach(pins, new (std::nothrow) CConnectionPoint(SinkKind::Profile, none,
                                                                       IID__IProfileManagerEvents, container.Get()))
                  : E_OUTOFMEMORY,
    };
    for (HRESULT hr : results) {
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}
