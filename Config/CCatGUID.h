// Classes in this file:
//   CCatGUID - a tracked GUID (both GUID_NULL at construction).
#pragma once

#include "CCategory.h"

#include <windows.h>

class CCatGUID : public CCategory
{
    GUID m_current = GUID_NULL;
    GUID m_accepted = GUID_NULL;

public:
    const GUID& Get() const { return m_current; }
    void Set(const GUID& value) { m_current = value; }
    bool IsChanged() const override { return !IsEqualGUID(m_current, m_accepted); }
    void Accept() override { m_accepted = m_current; }
    void AcceptFrom(const CCatGUID& other) { m_accepted = other.m_accepted; }
};
