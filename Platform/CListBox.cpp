#include "CListBox.h"

CString CListBox::GetText(int index) const
{
    CString text;
    const int length = m_hWnd ? static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index))) : LB_ERR;
    if (length <= 0)
        return text;
    const int copied = static_cast<int>(SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.GetBuffer(length + 1))));
    text.ReleaseBuffer(copied < 0 ? 0 : copied);
    return text;
}

int CListBox::FindString(int start, const wchar_t* prefix) const
{
    if (!m_hWnd || !prefix)
        return LB_ERR;
    return static_cast<int>(SendMessage(LB_FINDSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(prefix)));
}
