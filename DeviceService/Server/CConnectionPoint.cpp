#include "CConnectionPoint.h"

#include "ServiceCalls.h"

#include <rpc.h>
#include <rpcdcep.h>

#include <new>

CConnectionPoint::CConnectionPoint(SinkKind kind, const GUID& scope, REFIID iid, IConnectionPointContainer* container)
    : m_kind(kind), m_scope(scope), m_iid(iid), m_container(container)
{
}

HRESULT CConnectionPoint::Find(SinkKind kind, const GUID& scope, REFIID offered, IConnectionPointContainer* container,
                               REFIID iid, IConnectionPoint** point)
{
    if (!point)
        return E_POINTER;
    *point = nullptr;
    if (!IsEqualIID(iid, offered))
        return CONNECT_E_NOCONNECTION;
    return HandOut<CConnectionPoint>(S_OK, ObjectKey{ ObjectKind::ConnectionPoint, scope, GUID{}, LONG(kind) }, point,
                                     kind, scope, offered, container);
}

HRESULT CConnectionPoint::GetConnectionInterface(IID* iid)
{
    if (!iid)
        return E_POINTER;
    *iid = m_iid;
    return S_OK;
}

HRESULT CConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container)
{
    if (!container)
        return E_POINTER;
    *container = m_container.Get();
    m_container->AddRef();
    return S_OK;
}

HRESULT CConnectionPoint::Advise(IUnknown* sink, DWORD* cookie)
{
    if (!sink || !cookie)
        return E_POINTER;
    *cookie = 0;
    // Logged and open to the control tool's fault injection like every other call.
    const HRESULT hr = Model().BeginCall(L"IConnectionPoint::Advise", false);
    if (FAILED(hr))
        return hr;
    CComPtr<IUnknown> events;
    if (FAILED(sink->QueryInterface(m_iid, reinterpret_cast<void**>(events.Receive()))))
        return CONNECT_E_CANNOTCONNECT;
    // The process calling, so that its sink goes when the process does.
    unsigned long client = 0;
    if (I_RpcBindingInqLocalClientPID(nullptr, &client) != RPC_S_OK)
        client = 0;
    return Model().Advise(m_kind, m_scope, events.Get(), client, cookie);
}

HRESULT CConnectionPoint::Unadvise(DWORD cookie)
{
    return Model().Unadvise(m_kind, m_scope, cookie);
}

HRESULT CConnectionPoint::EnumConnections(IEnumConnections** connections)
{
    if (connections)
        *connections = nullptr;
    return E_NOTIMPL;
}
