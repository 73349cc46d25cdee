// Classes in this file:
//   CCritSec - a scoped lock over a critical section of its own: entered on construction,
//   left and deleted on destruction.
#pragma once

#include "CCriticalSection.h"

class CCritSec
{
    CCriticalSection m_section;

public:
    CCritSec() { m_section.Lock(); }
    ~CCritSec() { m_section.Unlock(); }
    CCritSec(const CCritSec&) = delete;
    CCritSec& operator=(const CCritSec&) = delete;

    CCriticalSection& Section() { return m_section; }
};
