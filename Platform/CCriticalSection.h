// Classes in this file:
//   CCriticalSection - an owned Win32 critical section.
//   CSingleLock      - holds a critical section locked for a scope.
#pragma once

#include <windows.h>

class CCriticalSection
{
    CRITICAL_SECTION m_section;

public:
    CCriticalSection() { InitializeCriticalSection(&m_section); }
    ~CCriticalSection() { DeleteCriticalSection(&m_section); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    void Lock() { EnterCriticalSection(&m_section); }
    void Unlock() { LeaveCriticalSection(&m_section); }
};

class CSingleLock
{
    CCriticalSection* m_section;
    bool m_locked = false;

public:
    explicit CSingleLock(CCriticalSection* section, bool initialLock = false)
        : m_section(section)
    {
        if (initialLock)
            Lock();
    }
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    bool IsLocked() const { return m_locked; }

    void Lock()
    {
        if (!m_section || m_locked)
            return;
        m_section->Lock();
        m_locked = true;
    }

    void Unlock()
    {
        if (!m_locked)
            return;
        m_section->Unlock();
        m_locked = false;
    }
};
