// Classes in this file:
//   CDC - an owned device context (a memory DC it created or one handed to it); move-only.
#pragma once

#include "CDCHandle.h"

class CDC : public CDCHandle
{
public:
    CDC() = default;
    ~CDC() { DeleteDC(); }

    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    CDC(CDC&& other) noexcept : CDCHandle(other.Detach()) {}
    CDC& operator=(CDC&& other) noexcept
    {
        if (this != &other)
            Attach(other.Detach());
        return *this;
    }

    // Operations
    bool CreateCompatibleDC(HDC dc)
    {
        Attach(::CreateCompatibleDC(dc));
        return m_hDC != nullptr;
    }
    // Takes ownership of the DC, deleting the one held before.
    void Attach(HDC dc)
    {
        if (dc != m_hDC)
            DeleteDC();
        m_hDC = dc;
    }
    HDC Detach()
    {
        HDC dc = m_hDC;
        m_hDC = nullptr;
        return dc;
    }
    bool DeleteDC()
    {
        if (!m_hDC)
            return false;
        const bool deleted = ::DeleteDC(m_hDC) != FALSE;
        m_hDC = nullptr;
        return deleted;
    }
};
