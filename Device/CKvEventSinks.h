// Classes in this file:
//   CKvKeymapEventSink  - receives the service's key-map events for a handler.
//   CKvProfileEventSink - receives the service's profile events for a handler.
#pragma once

#include "DeviceService.h"
#include "IKvEventHandlers.h"
#include "IKvUnknownImpl.h"

class CKvKeymapEventSink : public IKvUnknownImpl<_IKeyMapManagerEvents>
{
    IKvKeymapEventHandler* m_handler;

public:
    explicit CKvKeymapEventSink(IKvKeymapEventHandler* handler)
        : IKvUnknownImpl(IID__IKeyMapManagerEvents), m_handler(handler) {}

    STDMETHODIMP OnActiveKeyMapChanged(const GUID* keymapId) override
    {
        if (m_handler)
            m_handler->OnActiveKeyMapChanged(keymapId);
        return S_OK;
    }
};

class CKvProfileEventSink : public IKvUnknownImpl<_IProfileManagerEvents>
{
    IKvProfileEventHandler* m_handler;

public:
    explicit CKvProfileEventSink(IKvProfileEventHandler* handler)
        : IKvUnknownImpl(IID__IProfileManagerEvents), m_handler(handler) {}

    // An event still on its way after the handler has gone reaches nobody.
    void DetachHandler() { m_handler = nullptr; }

    STDMETHODIMP OnActiveProfileChanged(const GUID* profileId) override
    {
        if (m_handler)
            m_handler->OnActiveProfileChanged(profileId);
        return S_OK;
    }
};
