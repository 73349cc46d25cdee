// Classes in this file:
//   CCatAssnmnt - a tracked assignment. Its accepted record starts with kind -1, which no
//   real assignment has, so a new one is changed until it is accepted.
#pragma once

#include "CAssignment.h"
#include "CCategory.h"

class CCatAssnmnt : public CCategory
{
    CAssignment m_current;
    CAssignment m_accepted;

public:
    CCatAssnmnt() { m_accepted.kind = -1; }
    explicit CCatAssnmnt(const CAssignment& value) : m_current(value) { m_accepted.kind = -1; }

    const CAssignment& Get() const { return m_current; }
    void Set(const CAssignment& value) { m_current = value; }
    bool IsChanged() const override { return !AssignmentEquals(m_accepted, m_current); }
    void Accept() override { m_accepted = m_current; }
    void AcceptFrom(const CCatAssnmnt& other) { m_accepted = other.m_accepted; }
};
