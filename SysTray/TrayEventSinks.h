// Classes in this file:
//   CProfileEventSink   - receives the service's profile events for a handler.
//   CLaunchAppEventSink - receives the service's launch requests for a handler.
// Both count their references like the device layer's sinks; a sink whose handler is gone
// (null) takes the event and does nothing.
#pragma once

#include "DeviceService.h"
#include "IKvUnknownImpl.h"
#include "TrayEventHandlers.h"

class CProfileEventSink : public IKvUnknownImpl<_IProfileManagerEvents>
{
    IProfileEventHandler* m_handler;

public:
    explicit CProfileEventSink(IProfileEventHandler* handler)
        : IKvUnknownImpl(IID__IProfileManagerEvents), m_handler(handler) {}

    void DetachHandler() { m_handler = nullptr; }

    STDMETHODIMP OnActiveProfileChanged(const GUID* profileId) override
    {
        if (m_handler)
            m_handler->OnActiveProfileChanged(profileId);
        return S_OK;
    }
};

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
