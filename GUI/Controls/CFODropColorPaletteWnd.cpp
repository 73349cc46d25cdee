#include "CFODropColorPaletteWnd.h"

#include "CColorPaletteSystemData.h"
#include "CMemDC2.h"
#include "CPaintDC.h"
#include "CWndClass.h"
#include "GUIMessages.h"

#include <windowsx.h>

namespace
{
const wchar_t kPaletteClass[] = L"VelmoraColorPalette";
}

CFODropColorPaletteWnd::CFODropColorPaletteWnd(COLORREF defaultColor) : m_defaultColor(defaultColor)
{
}

CFODropColorPaletteWnd::~CFODropColorPaletteWnd()
{
    DestroyWindow();
}

bool CFODropColorPaletteWnd::Create(DWORD style, HWND notify, COLORREF current, const RECT& rect)
{
    if (m_hWnd || !CWndClass::Register(kPaletteClass, CS_DBLCLKS, IDC_ARROW))
        return false;
    m_hNotify = notify;
    const bool popup = (style & WS_POPUP) != 0;
    const DWORD exStyle = popup ? WS_EX_TOOLWINDOW : 0;
    HMENU id = popup ? nullptr : reinterpret_cast<HMENU>(static_cast<INT_PTR>(0xFFFF));
    if (!CreateEx(exStyle, kPaletteClass, L"CFODropColorPaletteWnd", style, rect, notify, id))
        return false;
    m_pControl = std::make_unique<CFODropColorPaletteControl>(m_defaultColor);
    CRect client;
    GetClientRect(&client);
    m_pControl->Attach(m_hWnd, current, client, true);
    UpdateWindow();
    return true;
}

bool CFODropColorPaletteWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message)
    {
    case WM_LBUTTONDOWN: // void OnLButtonDown(POINT point)
        OnLButtonDown(point);
        return true;
    case WM_MOUSEMOVE: // void OnMouseMove(POINT point)
        OnMouseMove(point);
        return true;
    case WM_LBUTTONUP: // void OnLButtonUp(POINT point)
        OnLButtonUp(point);
        return true;
    case WM_LBUTTONDBLCLK: // these only take the focus
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        SetFocus();
        return true;
    case WM_RBUTTONDOWN: // swallowed
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_CHAR:
        return true;
    case WM_GETDLGCODE: // the arrows, Tab and characters are the palette's
        result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
        return true;
    case WM_KEYDOWN: // void OnKeyDown(UINT key)
        OnKeyDown(static_cast<UINT>(wParam));
        return true;
    case WM_CAPTURECHANGED:
        m_pressed = false;
        if (m_pControl)
            m_pControl->SetCustomHover(false);
        return true;
    case WM_SIZE:
        if (m_pControl)
        {
            CRect client;
            GetClientRect(&client);
            m_pControl->Relayout(client);
            Invalidate(false);
        }
        break;
    case WM_SYSCOLORCHANGE:
        InitColorPaletteSystemData();
        Invalidate(false);
        break;
    case WM_PALETTE_COLOR_PICKED: // void Forward(UINT message, WPARAM colour, LPARAM code)
    case WM_PALETTE_CANCELLED:
    case WM_PALETTE_CUSTOM_COLOR:
        Forward(message, wParam, lParam);
        return true;
    case WM_PAINT: // void OnPaint()
        OnPaint();
        return true;
    case WM_ERASEBKGND: // the control paints everything
        result = TRUE;
        return true;
    default:
        break;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

void CFODropColorPaletteWnd::OnLButtonDown(POINT point)
{
    SetCapture();
    SetFocus();
    m_pressed = true;
    TrackPoint(point);
}

void CFODropColorPaletteWnd::OnMouseMove(POINT point)
{
    if (m_pressed && ::GetCapture() == m_hWnd)
        TrackPoint(point);
}

void CFODropColorPaletteWnd::TrackPoint(POINT point)
{
    if (!m_pControl)
        return;
    const int cell = m_pControl->HitTest(point.x, point.y);
    if (cell >= 0)
        m_pControl->SetCurrentColor(m_pControl->GetCell(cell).GetColor());
    m_pControl->SetCustomHover(m_pControl->IsInCustomButton(point.x, point.y));
}

void CFODropColorPaletteWnd::OnLButtonUp(POINT point)
{
    // Only a press that began in the palette chooses: the release of the click that
    // opened it does not.
    const bool pressed = m_pressed;
    m_pressed = false;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (!m_pControl || !pressed)
        return;
    m_pControl->SetCustomHover(false);
    const int cell = m_pControl->HitTest(point.x, point.y);
    if (cell >= 0)
        m_pControl->Pick(m_pControl->GetCell(cell).GetColor(), 0);
    else if (m_pControl->IsInCustomButton(point.x, point.y))
        m_pControl->RequestCustomColor();
}

void CFODropColorPaletteWnd::OnKeyDown(UINT key)
{
    if (!m_pControl)
        return;
    switch (key)
    {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        m_pControl->MoveSelection(key);
        break;
    case VK_RETURN:
        if (m_pControl->IsPopup())
            m_pControl->Pick(m_pControl->GetCurrentColor(), 0);
        break;
    case VK_ESCAPE:
    case VK_CANCEL:
        if (m_pControl->IsPopup())
            m_pControl->Cancel(m_pControl->GetCurrentColor(), 0);
        break;
    case VK_TAB:
        if (::GetKeyState(VK_SHIFT) & 0x8000)
        {
            HWND dialog = m_hNotify ? ::GetParent(m_hNotify) : nullptr;
            HWND previous = dialog ? ::GetNextDlgTabItem(dialog, m_hNotify, TRUE) : nullptr;
            if (previous)
                ::SetFocus(previous);
        }
        else
            m_pControl->RequestCustomColor();
        break;
    default:
        break;
    }
}

void CFODropColorPaletteWnd::Forward(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_hNotify)
        ::PostMessageW(m_hNotify, message, wParam, lParam);
    const bool preview = message == WM_PALETTE_COLOR_PICKED && lParam == kPalettePreviewCode;
    if ((GetStyle() & WS_POPUP) && !preview)
        ShowWindow(SW_HIDE);
}

void CFODropColorPaletteWnd::OnPaint()
{
    CPaintDC paint(m_hWnd);
    CRect client;
    GetClientRect(&client);
    CMemDC2 dc(paint, &client);
    if (m_pControl)
        m_pControl->Draw(dc);
}
