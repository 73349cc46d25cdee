#include "CStringArray.h"

#include <stdexcept>

namespace
{
void CheckIndex(int index, int size)
{
    if (index < 0 || index >= size)
        throw std::out_of_range("CStringArray index out of range");
}
}

const CString& CStringArray::GetAt(int index) const
{
    CheckIndex(index, GetSize());
    return m_items[static_cast<size_t>(index)];
}

CString& CStringArray::ElementAt(int index)
{
    CheckIndex(index, GetSize());
    return m_items[static_cast<size_t>(index)];
}

int CStringArray::Add(const CString& item)
{
    m_items.push_back(item);
    return GetUpperBound();
}

void CStringArray::SetAt(int index, const CString& item)
{
    ElementAt(index) = item;
}

void CStringArray::InsertAt(int index, const CString& item)
{
    CheckIndex(index, GetSize() + 1);
    m_items.insert(m_items.begin() + index, item);
}

void CStringArray::RemoveAt(int index)
{
    CheckIndex(index, GetSize());
    m_items.erase(m_items.begin() + index);
}
