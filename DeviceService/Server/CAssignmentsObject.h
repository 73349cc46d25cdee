// Classes in this file:
//   CKeyAssignmentsObject - the key records of one key map.
//   CButtonAssignmentsObject - the button records of one key map.
// Both are views on the same kind of record list, so they share their implementation.
#pragma once

#include "CUnknownImpl.h"
#include "DeviceService.h"
#include "KeypadRecords.h"

#include <vector>

// Reads and replaces the records of one list of a key map, found again on every call.
class CRecordList
{
    // Data members
    GUID m_profile;
    GUID m_keymap;
    std::vector<ServiceAssignment> SimKeymap::*m_list;

public:
    CRecordList(const GUID& profile, const GUID& keymap, std::vector<ServiceAssignment> SimKeymap::*list)
        : m_profile(profile), m_keymap(keymap), m_list(list) {}

    HRESULT Count(LONG* count) const;
    // The first count records; slots beyond the list are zeroed.
    HRESULT Get(LONG count, ServiceAssignment* records) const;
    // Replaces the records with the same device codes; nothing changes when any code is
    // not one of the list's.
    HRESULT Set(LONG count, const ServiceAssignment* records) const;
};

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
