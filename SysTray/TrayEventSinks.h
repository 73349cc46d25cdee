// Classes in this file:
//   CProfileEventSink   - receives the service's profile events for a handler (the device
//                         layer's profile sink).
//   CLaunchAppEventSink - receives the service's launch requests for a handler.
// A sink whose handler is gone (null) takes the event and does nothing.
#pragma once

#include "CKvEventSinks.h"
#include "DeviceService.h"
#include "IKvUnknownImpl.h"
#include "TrayEventHandlers.h"

using CProfileEventSink = CKvProfileEventSink;

class CLaunchAppEventSink : public IKvUnknownImpl<_IApplicationEvent>
{
    ILaunchAppEventHandler* m_handler;

public:
    explicit CLaunchAppEventSink(ILaunchAppEventHandler* handler)
        : IKvUnknownImpl(IID__IApplicationEvent), m_handler(handler) {}

    void DetachHandler() { m_handler = nullptr; }

    STDMETHODIMP OnLaunchApplication(LONG type, LPCWSTR path) override
    {
        if (m_handler)
            m_handler->OnLaunchApplication(static_cast<int>(type), path);
        return S_OK;
    }
};
