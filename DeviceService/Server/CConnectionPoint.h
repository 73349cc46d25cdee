// Classes in this file:
//   CConnectionPoint - one event interface of a manager object; the sinks it takes are
//   kept by the model, so every client's connection reaches the same list.
#pragma once

#include "CKeypadModel.h"
#include "CUnknownImpl.h"

#include <ocidl.h>
#include <olectl.h>

class CConnectionPoint : public CUnknownImpl<IConnectionPoint>
{
    // Data members
    SinkKind m_kind;
    GUID m_scope;
    IID m_iid;
    CComPtr<IConnectionPointContainer> m_container;

public:
    CConnectionPoint(SinkKind kind, const GUID& scope, REFIID iid, IConnectionPointContainer* container);

    // Finds the point of iid among the one event interface a container offers.
    static HRESULT Find(SinkKind kind, const GUID& scope, REFIID offered, IConnectionPointContainer* container,
                        REFIID iid, IConnectionPoint** point);

    // IConnectionPoint
    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** connections) override;
};
