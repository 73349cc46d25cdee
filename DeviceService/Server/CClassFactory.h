// Classes in this file:
//   CClassFactory - makes the service object for CoCreateInstance.
#pragma once

#include "CUnknownImpl.h"

class CClassFactory : public CUnknownImpl<IClassFactory>
{
public:
    // IClassFactory
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    STDMETHODIMP LockServer(BOOL lock) override;
};
