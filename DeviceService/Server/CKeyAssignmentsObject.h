// Classes in this file:
//   CKeyAssignmentsObject - the key records of one key map.
#pragma once

#include "CRecordList.h"
#include "CUnknownImpl.h"

class CKeyAssignmentsObject : public CUnknownImpl<IKeyAssignments>
{
    // Data members
    CRecordList m_records;

public:
    CKeyAssignmentsObject(const GUID& profile, const GUID& keymap) : m_records(profile, keymap, &SimKeymap::keys) {}

    // IKeyAssignments
    STDMETHODIMP GetCount(LONG* count) override;
    STDMETHODIMP GetAll(LONG count, ServiceAssignment* records) override;
    STDMETHODIMP SetAssignments(LONG count, const ServiceAssignment* records) override;
};
