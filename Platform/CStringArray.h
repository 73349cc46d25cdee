// Classes in this file:
//   CStringArray - an ordered list of CString values with bounds-checked access.
#pragma once

#include "CString.h"

#include <vector>

class CStringArray
{
    // Data members
    std::vector<CString> m_items;

public:
    // Attributes
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    bool IsEmpty() const { return m_items.empty(); }
    int GetUpperBound() const { return GetSize() - 1; }

    // Access outside 0..GetSize()-1 throws std::out_of_range.
    const CString& GetAt(int index) const;
    CString& ElementAt(int index);
    const CString& operator[](int index) const { return GetAt(index); }
    CString& operator[](int index) { return ElementAt(index); }

    // Operations
    int Add(const CString& item);
    void SetAt(int index, const CString& item);
    void InsertAt(int index, const CString& item);
    void RemoveAt(int index);
    void RemoveAll() { m_items.clear(); }
};
