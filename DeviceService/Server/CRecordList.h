// Classes in this file:
//   CRecordList - the key or button records of one key map, as the assignment objects
//   read and replace them.
#pragma once

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
