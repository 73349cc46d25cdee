#include "CListCtrl.h"

LPARAM CListCtrl::GetItemData(int item) const
{
    LVITEMW info = {};
    info.mask = LVIF_PARAM;
    info.iItem = item;
    if (!SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info)))
        return 0;
    return info.lParam;
}

CString CListCtrl::GetItemText(int item, int subItem) const
{
    CString text;
    const int capacity = 1024;
    LVITEMW info = {};
    info.iSubItem = subItem;
    info.pszText = text.GetBuffer(capacity);
    info.cchTextMax = capacity;
    const int length = static_cast<int>(SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)));
    text.ReleaseBuffer(length < 0 ? 0 : length);
    return text;
}

bool CListCtrl::GetItemRect(int item, RECT* rect, int code) const
{
    if (!rect)
        return false;
    rect->left = code;
    return SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)) != 0;
}

bool CListCtrl::GetSubItemRect(int item, int subItem, RECT* rect, int code) const
{
    if (!rect)
        return false;
    rect->top = subItem;
    rect->left = code;
    return SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)) != 0;
}

int CListCtrl::HitTest(POINT point, UINT* flags) const
{
    LVHITTESTINFO info = {};
    info.pt = point;
    const int item = m_hWnd ? static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info))) : -1;
    if (flags)
        *flags = info.flags;
    return item;
}

int CListCtrl::SubItemHitTest(POINT point, int* subItem) const
{
    LVHITTESTINFO info = {};
    info.pt = point;
    const int item = m_hWnd ? static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&info))) : -1;
    if (subItem)
        *subItem = item < 0 ? -1 : info.iSubItem;
    return item;
}

bool CListCtrl::GetScrollInfo(int bar, SCROLLINFO* info) const
{
    if (!m_hWnd || !info)
        return false;
    info->cbSize = sizeof(SCROLLINFO);
    return ::GetScrollInfo(m_hWnd, bar, info) != FALSE;
}

bool CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(WC_LISTVIEWW, nullptr, style, rect, parent, id);
}

int CListCtrl::InsertColumn(int column, const wchar_t* heading, int width)
{
    LVCOLUMNW info = {};
    info.mask = LVCF_TEXT | LVCF_WIDTH;
    info.pszText = const_cast<wchar_t*>(heading ? heading : L"");
    info.cx = width;
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info)));
}

int CListCtrl::InsertColumn(int column, const wchar_t* heading, int width, int format)
{
    LVCOLUMNW info = {};
    info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    info.fmt = format;
    info.pszText = const_cast<wchar_t*>(heading ? heading : L"");
    info.cx = width;
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info)));
}

int CListCtrl::InsertItem(int item, const wchar_t* text, LPARAM data)
{
    if (!m_hWnd)
        return -1;
    LVITEMW info = {};
    info.mask = LVIF_TEXT | LVIF_PARAM;
    info.iItem = item;
    info.pszText = const_cast<wchar_t*>(text ? text : L"");
    info.lParam = data;
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&info)));
}

bool CListCtrl::SetItemText(int item, int subItem, const wchar_t* text)
{
    LVITEMW info = {};
    info.iSubItem = subItem;
    info.pszText = const_cast<wchar_t*>(text ? text : L"");
    return SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)) != 0;
}

bool CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
    LVITEMW info = {};
    info.state = state;
    info.stateMask = mask;
    return SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)) != 0;
}

bool CListCtrl::EnsureVisible(int item, bool partialOk)
{
    return SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), partialOk ? TRUE : FALSE) != 0;
}

bool CListCtrl::InitFlatScrollBars()
{
    // The flat scroll-bar functions are looked up in the loaded common controls: not every
    // import library carries them.
    using InitializeFunction = BOOL(WINAPI*)(HWND);
    using EnableFunction = BOOL(WINAPI*)(HWND, int, UINT);
    HMODULE controls = ::GetModuleHandleW(L"comctl32.dll");
    if (!m_hWnd || !controls)
        return false;
    const auto initialize = reinterpret_cast<InitializeFunction>(
        reinterpret_cast<void*>(::GetProcAddress(controls, "InitializeFlatSB")));
    const auto enable = reinterpret_cast<EnableFunction>(
        reinterpret_cast<void*>(::GetProcAddress(controls, "FlatSB_EnableScrollBar")));
    if (!initialize || !enable || !initialize(m_hWnd))
        return false;
    return enable(m_hWnd, SB_BOTH, ESB_DISABLE_BOTH) != FALSE;
}
