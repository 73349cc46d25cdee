#include "CKeymap.h"

#include "GuidText.h"

CKeymap::CKeymap(const CString& name)
{
    SetName(name);
}

CKeymap& CKeymap::operator=(const CKeymap& other)
{
    if (this == &other)
        return *this;
    m_keyAssignments.clear();
    m_buttonAssignments.clear();
    m_keyAssignments = other.m_keyAssignments;
    m_buttonAssignments = other.m_buttonAssignments;
    m_name = other.m_name;
    m_trackedName = other.m_trackedName;
    m_id = other.m_id;
    m_trackedId = other.m_trackedId;
    return *this;
}

void CKeymap::SetName(const CString& name)
{
    m_name = name;
    m_trackedName.Set(name);
}

void CKeymap::SetGUID(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3)
{
    SetGUID(GuidFromWords(w0, w1, w2, w3));
}

void CKeymap::SetGUID(const GUID& id)
{
    m_id = id;
    m_trackedId.Set(id);
}
