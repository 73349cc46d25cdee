// Classes in this file:
//   CButtonAssignmentsObject - the button records of one key map.
#pragma once

#include "CRecordList.h"
#include "CUnknownImpl.h"

class CButtonAssignmentsObject : public CUnknownImpl<IButtonAssignments>
{
    // Data members
    CRecordList m_records;

public:
    CButtonAssignmentsObject(const GUID& profile, const GUID& keymap)
        : m_records(profile, keymap, &SimKeymap::buttons) {}

    // IButtonAssignments
    STDMETHODIMP GetAll(LONG count, ServiceAssignment* records) override;
    STDMETHODIMP SetAssignment(LONG count, const ServiceAssignment* records) override;
    STDMETHODIMP GetAvailable(AvailableButtons* available) override;
};
