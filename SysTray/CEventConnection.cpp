#include "CEventConnection.h"

#include <ocidl.h>

namespace
{
bool FindPoint(IUnknown* source, REFIID eventIid, CComPtr<IConnectionPoint>& point)
{
    CComPtr<IConnectionPointContainer> container;
    return source &&
        SUCCEEDED(source->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.Receive()))) &&
        SUCCEEDED(container->FindConnectionPoint(eventIid, point.Receive()));
}
}

std::unique_ptr<CEventConnection> CEventConnection::Make(IUnknown* source, REFIID eventIid, IUnknown* sink,
    std::function<void()> detachHandler)
{
    if (!source || !sink)
        return nullptr;
    std::unique_ptr<CEventConnection> connection(
        new CEventConnection(source, eventIid, sink, std::move(detachHandler)));
    if (!connection->Advise())
        return nullptr;
    return connection;
}

CEventConnection::CEventConnection(IUnknown* source, REFIID eventIid, IUnknown* sink,
    std::function<void()> detachHandler)
    : m_source(source), m_sink(sink), m_eventIid(eventIid), m_detachHandler(std::move(detachHandler))
{
}

CEventConnection::~CEventConnection()
{
    CComPtr<IConnectionPoint> point;
    if (m_cookie != 0 && FindPoint(m_source.Get(), m_eventIid, point))
        point->Unadvise(m_cookie);
    if (m_detachHandler)
        m_detachHandler();
    m_sink.Release();
    m_source.Release();
}

bool CEventConnection::Advise()
{
    CComPtr<IConnectionPoint> point;
    DWORD cookie = 0;
    if (!FindPoint(m_source.Get(), m_eventIid, point) || FAILED(point->Advise(m_sink.Get(), &cookie)))
        return false;
    m_cookie = cookie;
    return true;
}
