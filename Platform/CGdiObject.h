// Classes in this file:
//   CGdiObject - the owner of one GDI object handle; move-only, frees the handle once.
#pragma once

#include <windows.h>

class CGdiObject
{
protected:
    // Data members
    HGDIOBJ m_hObject = nullptr;

public:
    CGdiObject() = default;
    explicit CGdiObject(HGDIOBJ handle) : m_hObject(handle) {}
    ~CGdiObject() { DeleteObject(); }

    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept : m_hObject(other.Detach()) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept
    {
        if (this != &other)
            Attach(other.Detach());
        return *this;
    }

    // Attributes
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    bool IsNull() const { return m_hObject == nullptr; }
    int GetObject(int size, void* buffer) const
    {
        return m_hObject ? ::GetObjectW(m_hObject, size, buffer) : 0;
    }

    // Operations
    // Takes ownership of the handle, freeing the one held before.
    void Attach(HGDIOBJ handle)
    {
        if (handle != m_hObject)
            DeleteObject();
        m_hObject = handle;
    }
    HGDIOBJ Detach()
    {
        HGDIOBJ handle = m_hObject;
        m_hObject = nullptr;
        return handle;
    }
    // Frees the object and forgets it, so a second call does nothing.
    bool DeleteObject()
    {
        if (!m_hObject)
            return false;
        const bool deleted = ::DeleteObject(m_hObject) != FALSE;
        m_hObject = nullptr;
        return deleted;
    }
};
