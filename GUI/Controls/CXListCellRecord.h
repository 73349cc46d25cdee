// Classes in this file:
//   CXListCellRecord - what the multi-column list's private messages point to in lParam: the
//                      row key, the column (a sub-item index or a column id, as each message
//                      says) and a value. It lives only while the message is being sent.
#pragma once

class CXListCellRecord
{
public:
    // Data members
    int m_rowKey = -1;
    int m_column = -1;
    // A text (const wchar_t*), the new check state (const bool*) or null.
    const void* m_value = nullptr;

    // Attributes
    const wchar_t* GetText() const { return static_cast<const wchar_t*>(m_value); }
    bool GetCheck() const { return m_value && *static_cast<const bool*>(m_value); }
};
