#include "CBitmapWindow.h"

#include "CBitmapBtn.h"
#include "CLangTable.h"
#include "CMemDC2.h"
#include "CPaintDC.h"
#include "CPen.h"
#include "CSelectObject.h"

#include <windowsx.h>

namespace
{
// The underline runs this many pixels above the window's bottom edge.
constexpr int kUnderlineOffset = 37;
// Space between the icon and the text.
constexpr int kIconGap = 4;

bool HasPicture(const CBitmap* bitmap)
{
    return bitmap && !bitmap->IsNull();
}
}

bool CBitmapWindow::Create(const RECT& rect, CWnd* parent)
{
    return CWnd::Create(nullptr, L"", WS_VISIBLE, rect, parent, 0);
}

void CBitmapWindow::SetImages(const CBitmap* first, const CBitmap* second, const CBitmap* third, const CBitmap* disabled)
{
    m_images[0] = first;
    m_images[1] = second;
    m_images[2] = third;
    m_images[3] = disabled;
    Invalidate(false);
}

void CBitmapWindow::AddIcon(int assignmentKind, const CBitmap* icon)
{
    if (HasPicture(icon))
        m_icons[assignmentKind] = icon;
}

void CBitmapWindow::SelectIcon(int assignmentKind)
{
    const auto found = m_icons.find(assignmentKind);
    m_pIcon = found == m_icons.end() ? nullptr : found->second;
    Invalidate(false);
}

void CBitmapWindow::SetText(const CString& text)
{
    m_text = ShownText(text, m_caseMode);
    SetWindowText(m_text);
    Invalidate(false);
}

void CBitmapWindow::SetUnderline(bool underline, COLORREF colour)
{
    m_underline = underline;
    m_lineColour = colour;
    Invalidate(false);
}

void CBitmapWindow::SetItemToolTipText(const CString& text)
{
    if (!m_hWnd)
        return;
    CString shown;
    LookupText(text, shown);
    m_toolTip.SetToolText(this, shown);
}

bool CBitmapWindow::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_PAINT: // void OnPaint()
        OnPaint();
        return true;
    case WM_ERASEBKGND: // painting covers the window
        result = TRUE;
        return true;
    case WM_MOUSEMOVE: // void OnMouseMove(UINT flags, POINT point)
        OnMouseMove(static_cast<UINT>(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        return true;
    case WM_LBUTTONDOWN: // pressed until the release
        ActivateRootWindow(m_hWnd);
        m_pressed = true;
        SetCapture();
        Invalidate(false);
        return true;
    case WM_LBUTTONUP: // a release over the window is a click
    {
        const bool wasPressed = m_pressed;
        m_pressed = false;
        Invalidate(false);
        CRect client;
        GetClientRect(&client);
        if (wasPressed && client.PtInRect(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))))
            ::SendMessageW(GetParentHandle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                reinterpret_cast<LPARAM>(m_hWnd));
        return true;
    }
    case WM_CAPTURECHANGED: // losing the capture or the focus clears hover and selection
        if (reinterpret_cast<HWND>(lParam) != m_hWnd)
            ClearState();
        break;
    case WM_KILLFOCUS:
        ClearState();
        break;
    default:
        break;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

void CBitmapWindow::ClearState()
{
    if (!m_hovering && !m_pressed)
        return;
    m_hovering = false;
    m_pressed = false;
    Invalidate(false);
}

void CBitmapWindow::OnMouseMove(UINT flags, POINT point)
{
    if (::GetCapture() != m_hWnd)
    {
        m_hovering = true;
        SetCapture();
        Invalidate(false);
        return;
    }
    POINT screen = point;
    ClientToScreen(&screen);
    if (::WindowFromPoint(screen) == m_hWnd || (flags & MK_LBUTTON))
        return;
    ::ReleaseCapture();
}

const CBitmap* CBitmapWindow::StateImage() const
{
    if ((m_hovering || m_pressed) && HasPicture(m_images[2]))
        return m_images[2];
    const bool active = ::GetActiveWindow() == ::GetAncestor(m_hWnd, GA_ROOT);
    if (((active && !m_hovering) || !m_text.IsEmpty()) && HasPicture(m_images[1]))
        return m_images[1];
    return m_images[0];
}

CString CBitmapWindow::FittedText(HDC dc, int width) const
{
    CDCHandle measure(dc);
    if (measure.GetTextExtent(m_text).cx <= width)
        return m_text;
    for (int length = m_text.GetLength() - 1; length > 0; --length)
    {
        const CString candidate = m_text.Left(length) + L"...";
        if (measure.GetTextExtent(candidate).cx <= width)
            return candidate;
    }
    return L"...";
}

void CBitmapWindow::OnPaint()
{
    CPaintDC paint(m_hWnd);
    CRect client;
    GetClientRect(&client);
    CMemDC2 dc(paint, &client);
    dc.FillSolidRect(client, RGB(0, 0, 0));
    if (const CBitmap* image = StateImage(); HasPicture(image))
    {
        CDC imageDC;
        if (imageDC.CreateCompatibleDC(dc))
        {
            const CSize size = image->GetSize();
            CSelectObject select(imageDC, *image);
            ::SetStretchBltMode(dc, COLORONCOLOR);
            dc.StretchBlt(0, 0, client.Width(), client.Height(), imageDC, 0, 0, size.cx, size.cy, SRCCOPY);
        }
    }
    if (m_underline && !m_text.IsEmpty())
    {
        CPen pen;
        if (pen.CreatePen(PS_SOLID, 1, m_lineColour))
        {
            CSelectObject selectPen(dc, pen);
            dc.MoveTo(0, client.bottom - kUnderlineOffset);
            dc.LineTo(client.right, client.bottom - kUnderlineOffset);
        }
    }

    CSelectObject selectFont(dc, m_font ? m_font : DefaultControlFont());
    const CSize iconSize = HasPicture(m_pIcon) ? m_pIcon->GetSize() : CSize();
    const int iconSpace = iconSize.cx > 0 ? iconSize.cx + kIconGap : 0;
    const CString text = FittedText(dc, client.Width() - iconSpace);
    const int textWidth = text.IsEmpty() ? 0 : dc.GetTextExtent(text).cx;
    const int left = (client.Width() - iconSpace - textWidth) / 2;
    if (iconSize.cx > 0)
    {
        CDC iconDC;
        if (iconDC.CreateCompatibleDC(dc))
        {
            CSelectObject select(iconDC, *m_pIcon);
            dc.BitBlt(left, (client.Height() - iconSize.cy) / 2, iconSize.cx, iconSize.cy, iconDC, 0, 0, SRCCOPY);
        }
    }
    if (text.IsEmpty())
        return;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_textColour);
    CRect textRect(left + iconSpace, client.top, left + iconSpace + textWidth + 1, client.bottom);
    dc.DrawText(text, &textRect, (m_format & ~(DT_CENTER | DT_RIGHT)) | DT_END_ELLIPSIS);
}
