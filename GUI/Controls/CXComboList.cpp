#include "CXComboList.h"

#include "CRect.h"

#include <algorithm>

extern const UINT WM_XCOMBOLIST_VK_RETURN = ::RegisterWindowMessageW(L"WM_XCOMBOLIST_VK_RETURN");
extern const UINT WM_XCOMBOLIST_VK_ESCAPE = ::RegisterWindowMessageW(L"WM_XCOMBOLIST_VK_ESCAPE");
extern const UINT WM_XCOMBOLIST_KEYDOWN = ::RegisterWindowMessageW(L"WM_XCOMBOLIST_KEYDOWN");
extern const UINT WM_XCOMBOLIST_LBUTTONUP = ::RegisterWindowMessageW(L"WM_XCOMBOLIST_LBUTTONUP");

namespace
{
constexpr int kScrollWidth = 11;
constexpr UINT kListBoxId = 1;
constexpr UINT kScrollBarId = 2;
// The first focus loss is ignored; the count starts at 1, so the second one makes 3.
constexpr int kClosingFocusLosses = 3;
}

CXComboList::CXComboList(HWND owner) : m_hOwner(owner)
{
}

CXComboList::~CXComboList()
{
    DestroyWindow();
}

CXComboList::KeyAction CXComboList::ActionForKey(UINT key, int selection, int visibleRows, int maximum, int letterMatch)
{
    KeyAction action;
    int position = -1;
    switch (key)
    {
    case VK_RETURN:
        action.m_message = WM_XCOMBOLIST_VK_RETURN;
        return action;
    case VK_ESCAPE:
        action.m_message = WM_XCOMBOLIST_VK_ESCAPE;
        return action;
    case VK_PRIOR:
        position = selection - visibleRows + 1;
        break;
    case VK_NEXT:
        position = selection + visibleRows - 1;
        break;
    case VK_END:
        position = maximum;
        break;
    case VK_HOME:
        position = 0;
        break;
    case VK_UP:
        position = selection - 1;
        break;
    case VK_DOWN:
        position = selection + 1;
        break;
    default:
        if (key < 'A' || key > 'Z' || letterMatch < 0)
            return action;
        position = letterMatch;
        break;
    }
    action.m_message = WM_XCOMBOLIST_KEYDOWN;
    action.m_position = std::min(std::max(position, 0), std::max(maximum, 0));
    return action;
}

bool CXComboList::Create(const RECT& screenRect, HFONT font)
{
    if (!CreateEx(0, nullptr, L"", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, screenRect, m_hOwner, nullptr))
        return false;
    if (font)
    {
        m_listBox.SetFont(font, false);
        m_scrollBar.SetFont(font, false);
    }
    ShowWindow(SW_SHOWNA);
    return true;
}

int CXComboList::OnCreate()
{
    CRect client;
    GetClientRect(&client);
    const CRect listRect(1, 1, std::max(1, static_cast<int>(client.right) - kScrollWidth), std::max(1, static_cast<int>(client.bottom) - 1));
    const CRect barRect(listRect.right, 1, client.right, listRect.bottom);
    if (!m_listBox.Create(WS_VISIBLE | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, listRect, this, kListBoxId))
        return -1;
    if (!m_scrollBar.Create(WS_VISIBLE | SBS_VERT, barRect, this, kScrollBarId))
        return -1;
    return 0;
}

CString CXComboList::SetStrings(const std::vector<CString>& strings, const CString& selected)
{
    m_listBox.ResetContent();
    int found = -1;
    for (const CString& text : strings)
    {
        if (text.IsEmpty())
            continue;
        const int index = m_listBox.AddString(text);
        if (found < 0 && index >= 0 && text == selected)
            found = index;
    }
    if (m_listBox.GetCount() > 0)
        m_listBox.SetCurSel(found < 0 ? 0 : found);
    return GetSelectedText();
}

CString CXComboList::GetSelectedText() const
{
    const int selection = m_listBox.GetCurSel();
    return selection < 0 ? CString() : m_listBox.GetText(selection);
}

int CXComboList::VisibleRows() const
{
    const int rowHeight = m_listBox.GetItemHeight(0);
    CRect client;
    m_listBox.GetClientRect(&client);
    return rowHeight > 0 ? std::max(1, client.Height() / rowHeight) : 1;
}

int CXComboList::ScrollMaximum() const
{
    return std::max(0, m_listBox.GetCount() - 1);
}

void CXComboList::SizeAndFocus()
{
    m_listBox.SetFocus();
    if (!m_firstShow)
        return;
    m_firstShow = false;
    const int rowHeight = m_listBox.GetItemHeight(0);
    if (rowHeight <= 0)
        return;
    CRect window;
    GetWindowRect(&window);
    const int rows = std::max(1, (window.Height() - 4) / rowHeight);
    SetWindowPos(nullptr, 0, 0, window.Width(), rows * rowHeight + 4, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect client;
    GetClientRect(&client);
    const int listRight = std::max(1, static_cast<int>(client.right) - kScrollWidth);
    m_listBox.MoveWindow(1, 1, listRight - 1, rows * rowHeight);
    m_scrollBar.MoveWindow(listRight, 1, client.right - listRight, rows * rowHeight);
    const int selection = std::max(m_listBox.GetCurSel(), 0);
    SCROLLINFO info = {};
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = ScrollMaximum();
    info.nPage = static_cast<UINT>(rows);
    info.nPos = selection;
    m_scrollBar.SetScrollInfo(&info);
    m_listBox.SetTopIndex(std::max(selection - 1, 0));
    Invalidate();
}

bool CXComboList::PreTranslateMessage(MSG* msg)
{
    if (!msg || !m_listBox.m_hWnd || msg->hwnd != m_listBox.m_hWnd)
        return CWnd::PreTranslateMessage(msg);
    if (msg->message == WM_KEYDOWN)
        return OnListBoxKey(static_cast<UINT>(msg->wParam));
    if (msg->message == WM_LBUTTONUP)
        Notify(WM_XCOMBOLIST_LBUTTONUP);
    return false;
}

bool CXComboList::OnListBoxKey(UINT key)
{
    const int selection = std::max(m_listBox.GetCurSel(), 0);
    int letterMatch = -1;
    if (key >= 'A' && key <= 'Z')
    {
        const wchar_t prefix[2] = { static_cast<wchar_t>(key), L'\0' };
        letterMatch = m_listBox.FindString(selection, prefix);
    }
    const KeyAction action = ActionForKey(key, selection, VisibleRows(), ScrollMaximum(), letterMatch);
    if (action.m_message == 0)
        return false;
    Notify(action.m_message);
    if (action.m_position < 0)
        return true;
    m_scrollBar.SetScrollPos(action.m_position);
    // The list box moves its selection itself.
    return false;
}

void CXComboList::OnVScroll(WPARAM wParam)
{
    m_listBox.SendMessage(WM_VSCROLL, wParam, 0);
    SCROLLINFO info = {};
    info.fMask = SIF_ALL;
    if (!m_scrollBar.GetScrollInfo(&info))
        return;
    int position = info.nPos;
    switch (LOWORD(wParam))
    {
    case SB_LINEUP:
        position -= 1;
        break;
    case SB_LINEDOWN:
        position += 1;
        break;
    case SB_PAGEUP:
        position -= static_cast<int>(info.nPage);
        break;
    case SB_PAGEDOWN:
        position += static_cast<int>(info.nPage);
        break;
    case SB_TOP:
        position = 0;
        break;
    case SB_BOTTOM:
        position = info.nMax;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        position = static_cast<short>(HIWORD(wParam));
        break;
    default:
        return;
    }
    m_scrollBar.SetScrollPos(std::min(std::max(position, 0), info.nMax));
}

void CXComboList::OnFocusLost(HWND newFocus)
{
    // Focus moving inside the pop-up is no loss.
    if (newFocus && (newFocus == m_hWnd || newFocus == m_listBox.m_hWnd))
        return;
    if (++m_focusLosses == kClosingFocusLosses)
        Notify(WM_XCOMBOLIST_VK_ESCAPE);
}

void CXComboList::Notify(UINT message) const
{
    if (m_hOwner)
        ::SendMessageW(m_hOwner, message, 0, 0);
}

bool CXComboList::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_CREATE: // int OnCreate()
        result = OnCreate();
        if (result < 0)
            return true;
        break;
    case WM_VSCROLL: // void OnVScroll(WPARAM wParam)
        OnVScroll(wParam);
        return true;
    case WM_LBUTTONDOWN: // a press on the pop-up itself takes the selection
        Notify(WM_XCOMBOLIST_LBUTTONUP);
        return true;
    case WM_KILLFOCUS: // void OnFocusLost(HWND newFocus)
        OnFocusLost(reinterpret_cast<HWND>(wParam));
        break;
    case WM_COMMAND: // the list box's LBN_KILLFOCUS
        if (reinterpret_cast<HWND>(lParam) == m_listBox.m_hWnd && HIWORD(wParam) == LBN_KILLFOCUS)
        {
            OnFocusLost(::GetFocus() == m_listBox.m_hWnd ? nullptr : ::GetFocus());
            return true;
        }
        break;
    case WM_ERASEBKGND: // the margins round the list box
    {
        CRect client;
        GetClientRect(&client);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, ::GetSysColorBrush(COLOR_WINDOW));
        result = TRUE;
        return true;
    }
    case WM_DESTROY:
        m_listBox.DestroyWindow();
        break;
    default:
        break;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}
