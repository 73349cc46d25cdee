// Classes in this file:
//   CAPM - an entry of the configuration's stage list.
#pragma once

class CBitmap;

class CAPM
{
public:
    // Neither the name nor the bitmap is owned: both belong to whoever made the entry.
    const wchar_t* m_name = nullptr;
    CBitmap* m_bitmap = nullptr;
    // The list's sort key, unique within the list.
    int m_id = 0;

    CAPM() = default;
    CAPM(const wchar_t* name, CBitmap* bitmap, int id) : m_name(name), m_bitmap(bitmap), m_id(id) {}
    virtual ~CAPM() = default;
};
