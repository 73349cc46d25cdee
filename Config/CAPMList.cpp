#include "CAPMList.h"

CAPM* CAPMList::At(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_entries[static_cast<size_t>(index)].get();
}

bool CAPMList::Add(const wchar_t* name, CBitmap* bitmap, int id)
{
    auto position = m_entries.begin();
    for (auto entry = m_entries.begin(); entry != m_entries.end(); ++entry) {
        if ((*entry)->m_id == id)
            return false;
    }
    while (position != m_entries.end() && (*position)->m_id <= id)
        ++position;
    m_entries.insert(position, std::make_unique<CAPM>(name, bitmap, id));
    return true;
}

bool CAPMList::Remove(int index)
{
    if (!At(index))
        return false;
    m_entries.erase(m_entries.begin() + index);
    return true;
}

bool CAPMList::SetName(int index, const wchar_t* name)
{
    CAPM* entry = At(index);
    if (!entry)
        return false;
    entry->m_name = name;
    return true;
}

bool CAPMList::GetName(int index, const wchar_t*& name) const
{
    CAPM* entry = At(index);
    if (!entry)
        return false;
    name = entry->m_name;
    return true;
}

bool CAPMList::SetBitmap(int index, CBitmap* bitmap, int id)
{
    CAPM* entry = At(index);
    if (!entry)
        return false;
    entry->m_bitmap = bitmap;
    entry->m_id = id;
    return true;
}

bool CAPMList::GetBitmap(int index, CBitmap*& bitmap, int& id) const
{
    CAPM* entry = At(index);
    if (!entry)
        return false;
    bitmap = entry->m_bitmap;
    id = entry->m_id;
    return true;
}
