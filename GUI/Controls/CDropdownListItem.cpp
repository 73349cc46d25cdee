#include "CDropdownListItem.h"

#include "CListPanel.h"
#include "CListPanelLevel.h"
#include "CBrush.h"
#include "CMemDC2.h"
#include "CPaintDC.h"
#include "CPen.h"
#include "CSelectObject.h"
#include "GUIMessages.h"

#include <windowsx.h>

namespace
{
constexpr UINT kTipToolId = 1;

struct StateSlots
{
    int back;
    int border;
    int arrow;
    int text;
};
}

CDropdownListItem::CDropdownListItem()
{
    DeriveSlots();
}

CDropdownListItem::~CDropdownListItem()
{
    m_toolTip.DestroyWindow();
    DestroyWindow();
}

CString CDropdownListItem::GetItemText(int index) const
{
    if (index < 0 || index >= GetCount())
        return CString();
    return m_entries[static_cast<size_t>(index)].m_text;
}

CListEntry* CDropdownListItem::GetEntry(int index)
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return &m_entries[static_cast<size_t>(index)];
}

int CDropdownListItem::FindItem(const LVFINDINFOW& find) const
{
    if (!(find.flags & LVFI_STRING) || !find.psz)
        return -1;
    for (int i = 0; i < GetCount(); ++i)
        if (m_entries[static_cast<size_t>(i)].m_text == find.psz)
            return i;
    return -1;
}

int CDropdownListItem::GetCurSel() const
{
    if (m_shownText.IsEmpty())
        return -1;
    for (int i = 0; i < GetCount(); ++i)
        if (m_entries[static_cast<size_t>(i)].m_text == m_shownText)
            return i;
    return -1;
}

CString CDropdownListItem::GetDisplayText() const
{
    if (!m_captionOverride.IsEmpty())
        return TranslateText(m_captionOverride);
    CString text = TranslateText(m_shownText);
    if (!m_shownSubText.IsEmpty())
        text += L": " + TranslateText(m_shownSubText);
    return text;
}

COLORREF CDropdownListItem::GetSlotColour(int slot) const
{
    return slot >= 1 && slot <= kListColourSlotCount ? m_slots[slot] : 0;
}

CRect CDropdownListItem::BorderRect(const CRect& client, int borderWidth)
{
    CRect rect = client;
    rect.DeflateRect(borderWidth / 2, borderWidth / 2);
    if (borderWidth % 2 == 0)
    {
        rect.right += 1;
        rect.bottom += 1;
    }
    return rect;
}

bool CDropdownListItem::CreateDropdown(int listHeight, int listWidth, const RECT& rect, CWnd* parent, UINT id)
{
    m_listHeight = listHeight;
    m_listWidth = listWidth;
    m_controlRect = rect;
    DeriveSlots();
    return CStatic::Create(L"", WS_VISIBLE | SS_NOTIFY, rect, parent, id);
}

int CDropdownListItem::AddString(const CString& text)
{
    return AddEntry(CListEntry(text));
}

int CDropdownListItem::AddEntry(const CListEntry& entry)
{
    m_entries.push_back(entry);
    return GetCount() - 1;
}

bool CDropdownListItem::InsertString(int index, const CString& text)
{
    if (index < 0 || index > GetCount())
        return false;
    m_entries.insert(m_entries.begin() + index, CListEntry(text));
    return true;
}

int CDropdownListItem::SetCurSel(int index, const CString& subText)
{
    if (index < 0 || index >= GetCount())
        return 0;
    m_shownText = m_entries[static_cast<size_t>(index)].m_text;
    m_shownSubText = subText;
    Repaint();
    return 1;
}

void CDropdownListItem::ClearSelection()
{
    m_shownText.Empty();
    m_shownSubText.Empty();
    Repaint();
}

void CDropdownListItem::EnsureToolTip()
{
    if (m_toolTip.IsWindow() || !m_hWnd)
        return;
    if (!m_toolTip.Create(this))
        return;
    m_toolTip.Activate(false);
    if (m_hasToolTipText)
        ShowToolTipText();
}

void CDropdownListItem::SetToolTipText(const CString& text)
{
    m_toolTipText = TranslateText(text);
    m_toolTipText.Replace(L"\\n", L" ");
    m_hasToolTipText = true;
    if (m_toolTip.IsWindow())
        ShowToolTipText();
}

void CDropdownListItem::ShowToolTipText()
{
    m_toolTip.Activate(false);
    if (m_toolTip.GetToolCount() == 0)
    {
        CRect client;
        GetClientRect(&client);
        m_toolTip.AddTool(m_hWnd, kTipToolId, client, m_toolTipText);
    }
    else
        m_toolTip.UpdateTipText(m_hWnd, kTipToolId, m_toolTipText);
    m_toolTip.Activate(true);
}

void CDropdownListItem::SetMargins(int left, int right)
{
    m_leftMargin = left;
    m_rightMargin = right;
}

void CDropdownListItem::SetColourSet(const ListColourSet& colours)
{
    m_colours = CopyColourSet(colours);
    DeriveSlots();
    Repaint();
}

void CDropdownListItem::DeriveSlots()
{
    // A box without a colour set takes the list panels' defaults.
    for (int slot = 1; slot <= kListColourSlotCount; ++slot)
    {
        if (m_colours.empty())
        {
            m_slots[slot] = GetListColour(m_colours, slot);
            continue;
        }
        const auto found = m_colours.find(slot);
        m_slots[slot] = found != m_colours.end() ? found->second : 0;
    }
}

bool CDropdownListItem::PreTranslateMessage(MSG* msg)
{
    if (msg && msg->hwnd == m_hWnd && msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST)
    {
        EnsureToolTip();
        m_toolTip.RelayEvent(msg);
    }
    return CStatic::PreTranslateMessage(msg);
}

bool CDropdownListItem::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_LBUTTONDOWN: // void OnLButtonDown()
        OnLButtonDown();
        return true;
    case WM_LBUTTONUP: // void OnLButtonUp()
        OnLButtonUp();
        return true;
    case WM_MOUSEMOVE: // void OnMouseMove(POINT point, WPARAM keys)
        OnMouseMove(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), wParam);
        return true;
    case WM_CAPTURECHANGED:
        m_hot = false;
        Repaint();
        break;
    case WM_KILLFOCUS:
        m_pressed = false;
        m_hot = false;
        Repaint();
        break;
    case WM_PAINT: // void OnPaint()
        OnPaint();
        return true;
    case WM_ERASEBKGND: // painting covers the box
        result = TRUE;
        return true;
    case WM_ENABLE: // drawn in the disabled colours; the static control would paint over the box
        m_disabled = wParam == FALSE;
        Repaint();
        result = 0;
        return true;
    default:
        break;
    }
    return CStatic::OnWndMsg(message, wParam, lParam, result);
}

void CDropdownListItem::OnLButtonDown()
{
    if (m_disabled)
        return;
    m_pressed = true;
    Repaint();
}

void CDropdownListItem::OnLButtonUp()
{
    if (m_disabled || !m_pressed || !m_hot)
        return;
    m_pressed = false;
    ::SendMessageW(GetParentHandle(), WM_GUI_DROPDOWN_CLICKED, 0, reinterpret_cast<LPARAM>(m_hWnd));
    OpenList();
}

void CDropdownListItem::OnMouseMove(POINT point, WPARAM keys)
{
    const bool buttonHeld = (keys & MK_LBUTTON) != 0;
    if (buttonHeld && !m_hot)
        return;
    if (::GetCapture() != m_hWnd)
    {
        HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
        if (!owner)
            owner = GetParentHandle();
        if (!::GetActiveWindow() || !owner)
            return;
        m_hot = true;
        SetCapture();
        Repaint();
        return;
    }
    POINT screen = point;
    ClientToScreen(&screen);
    if (::WindowFromPoint(screen) == m_hWnd)
        return;
    const bool wasHot = m_hot;
    m_hot = false;
    m_pressed = false;
    if (wasHot)
        Repaint();
    if (!buttonHeld)
        ::ReleaseCapture();
}

CListPanelSettings CDropdownListItem::ListSettings(int width) const
{
    CListPanelSettings settings;
    settings.m_width = width;
    settings.m_defaultHeight = m_listHeight;
    settings.m_font = m_font;
    settings.m_colours = m_listColours.empty() ? m_colours : m_listColours;
    settings.m_borderWidth = m_borderWidth;
    settings.m_scrollWidth = m_scrollWidth;
    settings.m_leftMargin = m_leftMargin;
    settings.m_rightMargin = m_rightMargin;
    settings.m_scroll = m_scroll;
    settings.m_sorted = m_sorted;
    return settings;
}

void CDropdownListItem::OpenList()
{
    if (!m_hWnd)
        return;
    CRect screen;
    GetClientRect(&screen);
    ClientToScreen(&screen);
    const int top = screen.bottom - m_borderWidth;
    const int right = m_listWidth != 0 ? screen.left + m_listWidth : screen.right;
    const CRect listRect(screen.left, top, right, top + m_listHeight);
    m_chosenPath.clear();
    const auto level = CListPanelLevel::Copy(ListSettings(listRect.Width()), m_entries);
    m_listOpen = true;
    m_pressed = true;
    Repaint();
    const INT_PTR result = CListPanel::Run(GetParent(), *level, &m_chosenPath, listRect);
    m_listOpen = false;
    m_pressed = false;
    Repaint();
    if (result != CListPanel::kChosen || m_chosenPath.empty())
        return;
    for (int i = 0; i < GetCount(); ++i)
    {
        const CListEntry& entry = m_entries[static_cast<size_t>(i)];
        if (entry.m_text.CompareNoCase(m_chosenPath.front()) != 0)
            continue;
        if (entry.m_pSubList)
            SetCurSel(i, m_chosenPath.back());
        else
            SetCurSel(i);
        ::SendMessageW(GetParentHandle(), WM_GUI_DROPDOWN_SELCHANGE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(m_hWnd));
        return;
    }
}

void CDropdownListItem::Repaint()
{
    if (m_hWnd)
        Invalidate(false);
}

void CDropdownListItem::OnPaint()
{
    CPaintDC paint(m_hWnd);
    CRect client;
    GetClientRect(&client);
    StateSlots slots = { LISTCLR_BACK, LISTCLR_BORDER, LISTCLR_DRAW, LISTCLR_FONT };
    if (m_disabled)
        slots = { LISTCLR_BACK_DISABLED, LISTCLR_BORDER_DISABLED, LISTCLR_DRAW_DISABLED, LISTCLR_FONT_DISABLED };
    else if (m_pressed)
        slots = { LISTCLR_BACK_SEL, LISTCLR_BORDER_SEL, LISTCLR_DRAW_SEL, LISTCLR_FONT_SEL };
    else if (m_hot)
        slots = { LISTCLR_BACK_HI, LISTCLR_BORDER, LISTCLR_DRAW_HI, LISTCLR_FONT_HI };
    const COLORREF back = m_slots[slots.back];
    paint.FillSolidRect(client, back);
    CPen borderPen;
    CBrush backBrush;
    if (m_borderWidth > 0 && borderPen.CreatePen(PS_SOLID, m_borderWidth, m_slots[slots.border]) &&
        backBrush.CreateSolidBrush(back))
    {
        CSelectObject selectPen(paint, borderPen);
        CSelectObject selectBrush(paint, backBrush);
        const CRect border = BorderRect(client, m_borderWidth);
        ::Rectangle(paint, border.left, border.top, border.right, border.bottom);
    }
    const int arrowLeft = client.right - client.Height();
    if (m_pBmpInfo)
    {
        CMemDC2 dc(paint, &client);
        ::BitBlt(dc, client.left, client.top, client.Width(), client.Height(), paint, client.left, client.top, SRCCOPY);
        m_pBmpInfo->Draw(dc, m_disabled, m_pressed, m_hot);
    }
    else
    {
        CRect textRect(client.left + m_leftMargin, client.top, arrowLeft, client.bottom);
        textRect.DeflateRect(m_borderWidth, m_borderWidth);
        if (!textRect.IsRectEmpty())
        {
            ::SetBkColor(paint, back);
            CMemDC2 dc(paint, &textRect);
            dc.FillSolidRect(textRect, back);
            dc.SetTextColor(m_slots[slots.text]);
            dc.SetBkMode(TRANSPARENT);
            CSelectObject selectFont(dc, m_font ? m_font : GetFont());
            dc.DrawText(GetDisplayText(), &textRect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_LEFT);
        }
    }
    CPen arrowPen;
    if (!arrowPen.CreatePen(PS_SOLID, 1, m_slots[slots.arrow]))
        return;
    CSelectObject selectPen(paint, arrowPen);
    const int x0 = arrowLeft + (client.Height() - 7) / 2;
    const int y0 = (client.Height() - 6) / 2;
    for (int i = 0; i < 4; ++i)
    {
        ::MoveToEx(paint, x0 + i, y0 + i, nullptr);
        ::LineTo(paint, x0 + i + 7 - 2 * i, y0 + i);
    }
}
