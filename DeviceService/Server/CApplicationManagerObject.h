// Classes in this file:
//   CApplicationManagerObject - the applications keys can launch, and the source of the
//   launch-application requests.
#pragma once

#include "CUnknownImpl.h"
#include "DeviceService.h"

#include <ocidl.h>

class CApplicationManagerObject : public CUnknownImpl<IApplicationManager, IConnectionPointContainer>
{
public:
    // IApplicationManager
    STDMETHODIMP Reserved1() override;
    STDMETHODIMP Reserved2() override;
    STDMETHODIMP Create(IApplication** application) override;

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;
};
