// Classes in this file:
//   CCatString - a tracked text, compared case-sensitively (both empty at construction).
#pragma once

#include "CCategory.h"
#include "CString.h"

class CCatString : public CCategory
{
    CString m_current;
    CString m_accepted;

public:
    const CString& Get() const { return m_current; }
    void Set(const CString& value) { m_current = value; }
    bool IsChanged() const override { return m_current != m_accepted; }
    void Accept() override { m_accepted = m_current; }
    void AcceptFrom(const CCatString& other) { m_accepted = other.m_accepted; }
};
