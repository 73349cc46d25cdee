// Classes in this file:
//   CUnknownImpl<Interfaces...> - reference counting and QueryInterface for a COM object
//   of the service that implements the given interfaces.
#pragma once

#include <unknwn.h>

#include <atomic>
#include <vector>

// The service's COM objects alive now, for the state dump.
inline std::atomic<LONG> g_liveObjects{ 0 };

template <class First, class... Rest>
class CUnknownImpl : public First, public Rest...
{
    // Data members
    std::atomic<LONG> m_refs{ 1 };

public:
    using FirstInterface = First;

    CUnknownImpl() { ++g_liveObjects; }
    CUnknownImpl(const CUnknownImpl&) = delete;
    CUnknownImpl& operator=(const CUnknownImpl&) = delete;
    virtual ~CUnknownImpl() { --g_liveObjects; }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown))
            *out = static_cast<IUnknown*>(static_cast<First*>(this));
        else if (!Find<First, Rest...>(iid, out))
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }

    // Every interface id QueryInterface answers, IUnknown first.
    static std::vector<IID> InterfaceIds() { return { IID_IUnknown, __uuidof(First), __uuidof(Rest)... }; }

    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_refs); }

    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG refs = --m_refs;
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }

private:
    // Implementation
    template <class... Interfaces>
    bool Find(REFIID iid, void** out)
    {
        return ((IsEqualIID(iid, __uuidof(Interfaces)) && (*out = static_cast<Interfaces*>(this)) != nullptr) || ...);
    }
};
