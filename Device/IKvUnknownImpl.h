// Classes in this file:
//   IKvUnknownImpl<TEvents> - reference counting and QueryInterface of an event sink that
//   answers IUnknown and one event interface.
#pragma once

#include <unknwn.h>

template <class TEvents>
class IKvUnknownImpl : public TEvents
{
    LONG m_references = 1;
    const IID& m_eventIid;

public:
    explicit IKvUnknownImpl(const IID& eventIid) : m_eventIid(eventIid) {}
    virtual ~IKvUnknownImpl() = default;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, m_eventIid)) {
            *object = static_cast<TEvents*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_references)); }

    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }
};
