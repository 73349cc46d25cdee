#include "CTextItem.h"

#include "CBitmapBtn.h"
#include "CDCHandle.h"
#include "CLangTable.h"
#include "CSelectObject.h"

#include <windowsx.h>

bool CTextItem::Create(const RECT& rect, CWnd* parent, bool interactive)
{
    DWORD style = WS_VISIBLE | SS_OWNERDRAW;
    if (interactive)
        style |= SS_NOTIFY;
    return CStatic::Create(L"", style, rect, parent);
}

void CTextItem::SetText(const CString& text, int caseMode)
{
    bool translated = false;
    CString shown = ShownText(text, 0, &translated);
    if (translated)
        shown = ShownText(text, caseMode);
    m_text = shown;
    SetWindowText(m_text);
    RedrawBackground();
}

void CTextItem::SetHoverColour(COLORREF colour)
{
    m_hoverColour = colour;
    m_hasHoverColour = true;
}

void CTextItem::SetSelectedColour(COLORREF colour)
{
    m_selectedColour = colour;
    m_hasSelectedColour = true;
}

void CTextItem::SetSelected(bool selected)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    RedrawBackground();
}

void CTextItem::SetItemToolTipText(const CString& text)
{
    if (!m_hWnd)
        return;
    CString shown;
    LookupText(text, shown);
    m_toolTip.SetToolText(this, shown);
}

void CTextItem::RedrawBackground()
{
    HWND parent = GetParentHandle();
    if (!m_hWnd || !parent)
        return;
    CRect rect;
    GetWindowRect(&rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    ::InvalidateRect(parent, &rect, TRUE);
    ::UpdateWindow(parent);
    Invalidate(false);
    UpdateWindow();
}

bool CTextItem::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_MOUSEMOVE: // void OnMouseMove(POINT point)
        OnMouseMove(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        break;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_hWnd)
            SetHover(false);
        break;
    case WM_LBUTTONDOWN: // activates the parent window
        ActivateRootWindow(m_hWnd);
        break;
    case WM_LBUTTONUP: // void OnLButtonUp()
        OnLButtonUp();
        break;
    default:
        break;
    }
    return CStatic::OnWndMsg(message, wParam, lParam, result);
}

void CTextItem::OnMouseMove(POINT point)
{
    if (m_selected)
        return;
    if (::GetCapture() != m_hWnd)
    {
        SetCapture();
        SetHover(true);
        return;
    }
    POINT screen = point;
    ClientToScreen(&screen);
    if (::WindowFromPoint(screen) != m_hWnd)
        ::ReleaseCapture();
}

void CTextItem::SetHover(bool hover)
{
    if (m_hovering == hover)
        return;
    m_hovering = hover;
    if (m_pBuddy)
        m_pBuddy->SetHighlighted(hover);
    RedrawBackground();
}

void CTextItem::OnLButtonUp()
{
    if (!m_pBuddy)
        return;
    if (m_pBuddy->GetToggleOnClick())
        m_pBuddy->SetChecked(!m_pBuddy->IsChecked());
    m_pBuddy->Invalidate(false);
    ::SendMessageW(GetParentHandle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
        reinterpret_cast<LPARAM>(m_pBuddy->m_hWnd));
}

bool CTextItem::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_DRAWITEM)
        return CStatic::OnChildNotify(message, wParam, lParam, result);
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}

void CTextItem::SetDisabledColour(COLORREF colour)
{
    m_disabledColour = colour;
    m_hasDisabledColour = true;
    Invalidate(false);
}

void CTextItem::DrawItem(const DRAWITEMSTRUCT& item)
{
    CDCHandle dc(item.hDC);
    CSelectObject selectFont(dc, m_font ? m_font : DefaultControlFont());
    dc.SetBkMode(TRANSPARENT);
    COLORREF colour = m_colour;
    if (!IsWindowEnabled() && m_hasDisabledColour)
        colour = m_disabledColour;
    else if (m_selected && m_hasSelectedColour)
        colour = m_selectedColour;
    else if (m_hovering && m_hasHoverColour)
        colour = m_hoverColour;
    dc.SetTextColor(colour);
    CString text = m_text;
    if (!(m_format & DT_WORDBREAK))
        text.Replace(L"\r\n", L" ");
    CRect rect(item.rcItem);
    if (m_format)
    {
        dc.DrawText(text, &rect, m_format);
        return;
    }
    rect.left += 5;
    dc.DrawText(text, &rect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}
