// Classes in this file:
//   CAPMList - the configuration's stage list: owned entries in ascending id order.
#pragma once

#include "CAPM.h"

#include <memory>
#include <vector>

class CAPMList
{
    std::vector<std::unique_ptr<CAPM>> m_entries;

public:
    CAPMList() = default;
    CAPMList(const CAPMList&) = delete;
    CAPMList& operator=(const CAPMList&) = delete;

    int GetCount() const { return static_cast<int>(m_entries.size()); }
    // False when an entry with that id exists; otherwise inserted before the first entry
    // with a greater id, as the ids stand now.
    bool Add(const wchar_t* name, CBitmap* bitmap, int id);
    // Every index operation answers false for an index outside the list.
    bool Remove(int index);
    void RemoveAll() { m_entries.clear(); }
    bool SetName(int index, const wchar_t* name);
    bool GetName(int index, const wchar_t*& name) const;
    // Replaces the bitmap and the id; the list is not sorted again.
    bool SetBitmap(int index, CBitmap* bitmap, int id);
    bool GetBitmap(int index, CBitmap*& bitmap, int& id) const;

private:
    CAPM* At(int index) const;
};
