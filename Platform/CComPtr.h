// Classes in this file:
//   CComPtr<T> - owns one reference on a COM interface and releases it when it goes.
#pragma once

#include <unknwn.h>

#include <utility>

template <class T>
class CComPtr
{
    // Data members
    T* m_p = nullptr;

public:
    CComPtr() = default;
    // Takes a new reference on p.
    explicit CComPtr(T* p) : m_p(p) { if (m_p) m_p->AddRef(); }
    CComPtr(const CComPtr& other) : CComPtr(other.m_p) {}
    CComPtr(CComPtr&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    ~CComPtr() { Release(); }

    CComPtr& operator=(CComPtr other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }

    // Attributes
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // Operations
    void Release()
    {
        T* p = m_p;
        m_p = nullptr;
        if (p)
            p->Release();
    }

    // For out parameters: releases what is held and hands out the slot.
    T** Receive()
    {
        Release();
        return &m_p;
    }

    // Adopts a reference the caller already owns.
    void Attach(T* p)
    {
        Release();
        m_p = p;
    }

    T* Detach()
    {
        T* p = m_p;
        m_p = nullptr;
        return p;
    }

    template <class Q>
    HRESULT QueryInterface(REFIID iid, CComPtr<Q>& out) const
    {
        if (!m_p)
            return E_POINTER;
        return m_p->QueryInterface(iid, reinterpret_cast<void**>(out.Receive()));
    }
};
