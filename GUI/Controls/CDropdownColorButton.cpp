#include "CDropdownColorButton.h"

#include "CColorDialog.h"
#include "CMemDC2.h"
#include "CPaintDC.h"
#include "CPen.h"
#include "CSelectObject.h"
#include "GUIMessages.h"
#include "ListDrawing.h"

namespace
{
constexpr int kArrowStripWidth = 18;
}

CDropdownColorButton::CDropdownColorButton() : m_pChooser(&CColorDialog::GetSystemDialog())
{
    SetColourSet({ { LISTCLR_FONT, RGB(255, 255, 255) } });
}

CDropdownColorButton::~CDropdownColorButton()
{
    ClosePalette();
}

void CDropdownColorButton::SetColor(COLORREF colour)
{
    m_reportedColour = colour;
    if (colour == m_colour)
        return;
    m_colour = colour;
    if (m_hWnd)
        Invalidate(false);
}

bool CDropdownColorButton::CreateButton(const RECT& rect, CWnd* parent, UINT id)
{
    return CreateDropdown(0, 0, rect, parent, id);
}

void CDropdownColorButton::SetHasArrow(bool hasArrow)
{
    m_hasArrow = hasArrow;
    if (m_hWnd)
        Invalidate(false);
}

void CDropdownColorButton::OpenPalette()
{
    if (!m_enabled || !m_hWnd)
        return;
    // The open palette may have made its choice as this click took the activation from it.
    DrainPaletteMessages();
    m_paletteRequested = true;
    CRect screen;
    GetWindowRect(&screen);
    ClosePalette();
    if (!m_hNotify)
        m_hNotify = GetParentHandle();
    m_colourBeforeOpen = m_colour;
    auto palette = std::make_unique<CFOPopupColorPaletteWnd>(GetSlotColour(LISTCLR_BORDER));
    if (!palette->Create(WS_VISIBLE | kPaletteAlignLeft, screen, m_hWnd, m_colour, m_paletteWidth, m_paletteHeight))
        return;
    m_pPalette = std::move(palette);
    m_paletteOpen = true;
}

void CDropdownColorButton::OnMouseActivate(LPARAM lParam)
{
    m_activatingPress = HIWORD(lParam) == WM_LBUTTONDOWN;
}

void CDropdownColorButton::OnLButtonUp()
{
    // The palette opens on the press. Some systems drop a press that takes the activation
    // from the open palette, so only its release arrives: the click still replaces the
    // palette, as a click does.
    if (!m_activatingPress)
        return;
    m_activatingPress = false;
    OpenPalette();
}

void CDropdownColorButton::DrainPaletteMessages()
{
    MSG msg;
    while (m_pPalette && ::PeekMessageW(&msg, m_pPalette->m_hWnd, WM_PALETTE_COLOR_PICKED, WM_PALETTE_CUSTOM_COLOR, PM_REMOVE))
        ::DispatchMessageW(&msg);
    while (::PeekMessageW(&msg, m_hWnd, WM_PALETTE_COLOR_PICKED, WM_PALETTE_CUSTOM_COLOR, PM_REMOVE))
        ::DispatchMessageW(&msg);
}

bool CDropdownColorButton::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_MOUSEACTIVATE: // void OnMouseActivate(LPARAM lParam), then the default answer
        OnMouseActivate(lParam);
        break;
    case WM_LBUTTONDOWN: // void OpenPalette()
        m_activatingPress = false;
        OpenPalette();
        return true;
    case WM_LBUTTONUP: // void OnLButtonUp()
        OnLButtonUp();
        return true;
    case WM_MOUSEMOVE: // nothing of the drop list
        return true;
    case WM_PALETTE_COLOR_PICKED: // void OnColorPicked(COLORREF colour, LPARAM code)
        OnColorPicked(static_cast<COLORREF>(wParam), lParam);
        return true;
    case WM_PALETTE_CANCELLED: // void OnCancelled()
        OnCancelled();
        return true;
    case WM_PALETTE_CUSTOM_COLOR: // void OnCustomColor(LPARAM code)
        OnCustomColor(lParam);
        return true;
    case WM_PAINT: // void OnPaint()
        OnPaint();
        return true;
    default:
        break;
    }
    return CDropdownListItem::OnWndMsg(message, wParam, lParam, result);
}

void CDropdownColorButton::OnColorPicked(COLORREF colour, LPARAM code)
{
    if (code != kPalettePreviewCode)
    {
        CommitColor(colour, code);
        return;
    }
    // A preview shows the colour; only a pick stores it.
    if (m_paletteOpen && colour != m_colour)
    {
        m_colour = colour;
        Invalidate(false);
    }
    if (m_hNotify)
        ::PostMessageW(m_hNotify, WM_PALETTE_COLOR_PICKED, static_cast<WPARAM>(colour), code);
}

void CDropdownColorButton::CommitColor(COLORREF colour, LPARAM code)
{
    m_paletteRequested = false;
    ClosePalette();
    if (m_hNotify)
        ::PostMessageW(m_hNotify, WM_PALETTE_COLOR_PICKED, static_cast<WPARAM>(colour), code);
    m_colour = colour;
    Invalidate(false);
    if (colour == m_reportedColour)
        return;
    m_reportedColour = colour;
    if (m_hNotify)
        ::SendMessageW(m_hNotify, WM_GUI_ITEM_VALUE_CHANGED, static_cast<WPARAM>(colour), GetDlgCtrlID());
}

void CDropdownColorButton::OnCancelled()
{
    if (m_paletteRequested)
        m_colour = m_colourBeforeOpen;
    m_paletteRequested = false;
    ClosePalette();
    if (m_hNotify)
        ::SendMessageW(m_hNotify, WM_PALETTE_CANCELLED, static_cast<WPARAM>(m_colour), GetDlgCtrlID());
    Invalidate(false);
}

void CDropdownColorButton::OnCustomColor(LPARAM code)
{
    // The palette hid itself and takes no more part; the dialog's answer is final.
    ClosePalette();
    COLORREF chosen = m_colour;
    HWND owner = ::GetAncestor(m_hWnd, GA_ROOT);
    if (m_pChooser && m_pChooser->ChooseColor(owner, m_colour, CC_FULLOPEN | CC_ANYCOLOR, chosen))
        CommitColor(chosen, code);
    else
        OnCancelled();
}

void CDropdownColorButton::ClosePalette()
{
    m_paletteOpen = false;
    if (!m_pPalette)
        return;
    // The window is destroyed before the object, so that its last messages find it whole.
    m_pPalette->DestroyWindow();
    m_pPalette.reset();
}

void CDropdownColorButton::OnPaint()
{
    CPaintDC paint(m_hWnd);
    CRect client;
    GetClientRect(&client);
    CMemDC2 dc(paint, &client);
    const int strip = m_hasArrow ? kArrowStripWidth : 0;
    CRect box = client;
    box.right -= strip;
    dc.FillSolidRect(client, GetSlotColour(LISTCLR_BACK));
    dc.FillSolidRect(box, m_disabled ? GetSlotColour(LISTCLR_BACK_DISABLED) : m_colour);
    const int borderWidth = GetBorderWidth();
    CPen borderPen;
    if (borderWidth > 0 &&
        borderPen.CreatePen(PS_SOLID, borderWidth, GetSlotColour(m_disabled ? LISTCLR_BORDER_DISABLED : LISTCLR_BORDER)))
    {
        CSelectObject selectPen(dc, borderPen);
        CSelectObject selectBrush(dc, ::GetStockObject(NULL_BRUSH));
        const CRect border = BorderRect(client, borderWidth);
        ::Rectangle(dc, border.left, border.top, border.right, border.bottom);
    }
    if (!m_hasArrow)
        return;
    CPen arrowPen;
    if (!arrowPen.CreatePen(PS_SOLID, 1, GetSlotColour(LISTCLR_FONT)))
        return;
    CSelectObject selectPen(dc, arrowPen);
    const int stripLeft = client.right - strip;
    ::MoveToEx(dc, stripLeft, client.top + borderWidth, nullptr);
    ::LineTo(dc, stripLeft, client.bottom - borderWidth);
    const int x0 = stripLeft + (strip - 7) / 2 + 1;
    const int y0 = (client.Height() - 4) / 2;
    for (int i = 0; i < 4; ++i)
    {
        ::MoveToEx(dc, x0 + i, y0 + i, nullptr);
        ::LineTo(dc, x0 + 7 - i, y0 + i);
    }
}
