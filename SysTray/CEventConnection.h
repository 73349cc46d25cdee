// Classes in this file:
//   CEventConnection - one sink advised on one event source of the device service, for as
//                      long as the object lives.
#pragma once

#include "CComPtr.h"

#include <unknwn.h>

#include <functional>
#include <memory>

class CEventConnection
{
    // Data members
    CComPtr<IUnknown> m_source;
    CComPtr<IUnknown> m_sink;
    IID m_eventIid;
    DWORD m_cookie = 0;
    // Cuts the sink off its handler, so that an event still on its way reaches nobody.
    std::function<void()> m_detachHandler;

public:
    // Null unless the sink was advised: a failed Advise is no connection.
    static std::unique_ptr<CEventConnection> Make(IUnknown* source, REFIID eventIid, IUnknown* sink,
        std::function<void()> detachHandler);
    // Unadvises the sink, cuts it off its handler and releases it and the source.
    ~CEventConnection();
    CEventConnection(const CEventConnection&) = delete;
    CEventConnection& operator=(const CEventConnection&) = delete;

private:
    CEventConnection(IUnknown* source, REFIID eventIid, IUnknown* sink, std::function<void()> detachHandler);
    bool Advise();
};
