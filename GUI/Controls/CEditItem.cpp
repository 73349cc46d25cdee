#include "CEditItem.h"

#include "CLangTable.h"
#include "GUIMessages.h"
#include "NumericEditFilter.h"

bool CEditItem::Create(CWnd* parent, const RECT& rect, DWORD style, UINT id, int borderWidth, HFONT font)
{
    m_borderWidth = borderWidth < 0 ? 0 : borderWidth;
    m_font = font;
    CRect frame(rect);
    frame.InflateRect(m_borderWidth, m_borderWidth);
    if (!m_frame.Create(frame, parent, m_borderWidth))
        return false;
    m_frame.SetColours(m_colours.back, m_colours.border);
    if (!m_backBrush.CreateSolidBrush(m_colours.back) || !m_disabledBackBrush.CreateSolidBrush(m_colours.disabledBack))
        return false;
    if (!CEdit::Create(style | WS_VISIBLE | ES_AUTOHSCROLL, m_frame.GetInnerRect(), parent, id))
        return false;
    if (m_font)
        SetFont(m_font, true);
    return true;
}

void CEditItem::SetTextColour(COLORREF colour)
{
    m_colours.text = colour;
    Invalidate(true);
}

void CEditItem::SetHoverTextColour(COLORREF colour)
{
    m_colours.hoverText = colour;
}

void CEditItem::SetBackColour(COLORREF colour)
{
    m_colours.back = colour;
    m_backBrush.CreateSolidBrush(colour);
    if (m_frame.m_hWnd)
        m_frame.SetColours(m_colours.back, m_colours.border);
    Invalidate(true);
}

void CEditItem::SetHoverBackColour(COLORREF colour)
{
    m_colours.hoverBack = colour;
}

void CEditItem::SetBorderColour(COLORREF colour)
{
    m_colours.border = colour;
    if (m_frame.m_hWnd)
        m_frame.SetColours(m_colours.back, m_colours.border);
}

void CEditItem::SetDisabledBackColour(COLORREF colour)
{
    m_colours.disabledBack = colour;
    m_disabledBackBrush.CreateSolidBrush(colour);
    Invalidate(true);
}

void CEditItem::SetDisabledBorderColour(COLORREF colour)
{
    m_colours.disabledBorder = colour;
}

void CEditItem::SetDisabledTextColour(COLORREF colour)
{
    m_colours.disabledText = colour;
    Invalidate(true);
}

void CEditItem::SetNumbersOnly(bool numbersOnly, uint32_t minimum, uint32_t maximum)
{
    m_numbersOnly = numbersOnly;
    m_minimum = minimum;
    m_maximum = maximum;
}

void CEditItem::SetItemToolTipText(const CString& text)
{
    if (!m_hWnd)
        return;
    CString shown;
    LookupText(text, shown);
    shown.Replace(L"\\n", L" ");
    m_toolTip.SetToolText(this, shown);
}

void CEditItem::Show(bool show)
{
    m_frame.ShowWindow(show ? SW_SHOW : SW_HIDE);
    ShowWindow(show ? SW_SHOW : SW_HIDE);
}

bool CEditItem::FiltersOut(UINT message, WPARAM wParam) const
{
    // No context menu in any mode.
    if (message == WM_CONTEXTMENU)
        return true;
    if (!m_numbersOnly)
        return false;
    if (message == WM_KEYDOWN)
        return !IsNumericEditKeyAllowed(static_cast<UINT>(wParam));
    if (message != WM_CHAR)
        return false;
    const wchar_t ch = static_cast<wchar_t>(wParam);
    if (ch == L'\b')
        return false;
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return !IsNumericEditDigitAllowed(GetWindowText(), static_cast<int>(start), static_cast<int>(end), ch, m_minimum,
        m_maximum);
}

bool CEditItem::PreTranslateMessage(MSG* msg)
{
    return msg && msg->hwnd == m_hWnd && FiltersOut(msg->message, msg->wParam);
}

// Messages sent straight to the window (the context menu, a sent character) are filtered
// here as well.
bool CEditItem::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (FiltersOut(message, wParam))
        return true;
    return CEdit::OnWndMsg(message, wParam, lParam, result);
}

bool CEditItem::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE)
    {
        Notify(WM_GUI_EDIT_CHANGED);
        return true;
    }
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC)
    {
        HDC dc = reinterpret_cast<HDC>(wParam);
        const bool enabled = IsWindowEnabled();
        ::SetTextColor(dc, enabled ? m_colours.text : m_colours.disabledText);
        ::SetBkColor(dc, enabled ? m_colours.back : m_colours.disabledBack);
        ::SetBkMode(dc, OPAQUE);
        result = reinterpret_cast<LRESULT>(enabled ? m_backBrush.GetHandle() : m_disabledBackBrush.GetHandle());
        return true;
    }
    return CEdit::OnChildNotify(message, wParam, lParam, result);
}

void CEditItem::Notify(UINT message)
{
    HWND target = m_notifyWnd ? m_notifyWnd : GetParentHandle();
    ::SendMessageW(target, message, 0, reinterpret_cast<LPARAM>(m_hWnd));
}
