#include "CXHeaderCtrl.h"

#include "CMemDC2.h"
#include "CPaintDC.h"
#include "CSelectObject.h"
#include "ListDrawing.h"

#include <windowsx.h>

#include <algorithm>

namespace
{
constexpr UINT_PTR kTipToolId = 1;

void DrawVertical(HDC dc, int x, int top, int bottom, COLORREF colour)
{
    if (bottom <= top)
        return;
    CDCHandle(dc).FillSolidRect(CRect(x, top, x + 1, bottom), colour);
}
}

void CXHeaderCtrl::SetColours(COLORREF back, COLORREF text, COLORREF darkLine, COLORREF lightLine)
{
    m_backColour = back;
    m_textColour = text;
    m_darkLine = darkLine;
    m_lightLine = lightLine;
    Invalidate(false);
}

void CXHeaderCtrl::SetToolTip(CToolTipCtrl* toolTip)
{
    m_pToolTip = toolTip;
    m_tipItem = -2;
    if (!m_pToolTip || !m_pToolTip->IsWindow() || !m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    m_pToolTip->AddTool(m_hWnd, kTipToolId, client, L"");
    m_pToolTip->Activate(false);
}

void CXHeaderCtrl::SetItemTip(int index, const CString& tip)
{
    if (index < 0)
        return;
    if (static_cast<size_t>(index) >= m_tips.size())
        m_tips.resize(static_cast<size_t>(index) + 1);
    CString shown = tip;
    shown.Replace(L"\\n", L" ");
    m_tips[static_cast<size_t>(index)] = shown;
    m_tipItem = -2;
}

bool CXHeaderCtrl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_PAINT: // void OnPaint()
        OnPaint();
        return true;
    case WM_ERASEBKGND: // painting covers the header
        result = TRUE;
        return true;
    case WM_SETCURSOR: // no resize cursor over the dividers
        result = TRUE;
        return true;
    case WM_MOUSEMOVE: // void OnMouseMove(...)
        OnMouseMove(message, wParam, lParam);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    {
        MSG relayed = { m_hWnd, message, wParam, lParam, 0, { 0, 0 } };
        if (m_pToolTip)
            m_pToolTip->RelayEvent(&relayed);
        break;
    }
    case HDM_SETIMAGELIST: // the image size is taken before the list is set
    {
        int width = 0;
        int height = 0;
        HIMAGELIST images = reinterpret_cast<HIMAGELIST>(lParam);
        if (images && ::ImageList_GetIconSize(images, &width, &height))
        {
            m_imageWidth = width;
            m_imageHeight = height;
        }
        else
        {
            m_imageWidth = 0;
            m_imageHeight = 0;
        }
        break;
    }
    default:
        break;
    }
    return CHeaderCtrl::OnWndMsg(message, wParam, lParam, result);
}

bool CXHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_NOTIFY)
        return CHeaderCtrl::OnChildNotify(message, wParam, lParam, result);
    switch (reinterpret_cast<const NMHDR*>(lParam)->code)
    {
    case HDN_BEGINTRACKW: // tracking a divider is refused
    case HDN_BEGINTRACKA:
        result = TRUE;
        return true;
    case HDN_DIVIDERDBLCLICKW: // the list would fit the column to its texts
    case HDN_DIVIDERDBLCLICKA:
        result = 0;
        return true;
    default:
        return false;
    }
}

void CXHeaderCtrl::DrawItem(DRAWITEMSTRUCT*)
{
}

void CXHeaderCtrl::OnPaint()
{
    CPaintDC paint(m_hWnd);
    const CRect update(paint.m_ps.rcPaint);
    if (!m_doubleBuffered)
    {
        PaintItems(paint, update);
        return;
    }
    CMemDC2 dc(paint, &update);
    PaintItems(dc, update);
}

void CXHeaderCtrl::PaintItems(HDC target, const CRect& update)
{
    CDCHandle dc(target);
    dc.FillSolidRect(update, m_backColour);
    CSelectObject selectFont(dc, GetFont());
    dc.SetTextColor(m_textColour);
    dc.SetBkMode(TRANSPARENT);
    const int count = GetItemCount();
    int totalWidth = 0;
    for (int order = 0; order < count; ++order)
    {
        const int index = OrderToIndex(order);
        CRect rect;
        if (!GetItemRect(index, &rect))
            continue;
        totalWidth = std::max(totalWidth, static_cast<int>(rect.right));
        CRect overlap;
        if (!::IntersectRect(&overlap, &rect, &update))
            continue;
        HDITEMW item = {};
        item.mask = HDI_FORMAT;
        GetItem(index, &item);
        if (item.fmt & HDF_OWNERDRAW)
        {
            DRAWITEMSTRUCT draw = {};
            draw.CtlType = ODT_HEADER;
            draw.CtlID = static_cast<UINT>(GetDlgCtrlID());
            draw.itemID = static_cast<UINT>(index);
            draw.itemAction = ODA_DRAWENTIRE;
            draw.hwndItem = m_hWnd;
            draw.hDC = dc;
            draw.rcItem = rect;
            DrawItem(&draw);
        }
        else
        {
            DrawHeaderItem(dc, index, rect);
        }
        if (order < count - 1)
        {
            DrawVertical(dc, rect.right - 1, rect.top + 2, rect.bottom - 2, m_lightLine);
            DrawVertical(dc, rect.right, rect.top + 2, rect.bottom - 2, m_darkLine);
        }
    }
    if (totalWidth <= 0)
        return;
    CRect client;
    GetClientRect(&client);
    client.right = totalWidth;
    dc.Draw3dRect(client, m_lightLine, m_darkLine);
}

void CXHeaderCtrl::DrawHeaderItem(HDC target, int index, const RECT& itemRect)
{
    CDCHandle dc(target);
    wchar_t text[256] = {};
    HDITEMW item = {};
    item.mask = HDI_FORMAT | HDI_IMAGE | HDI_BITMAP | HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    if (!GetItem(index, &item))
        return;
    CRect rect(itemRect);
    rect.DeflateRect(m_spacing, 0);
    HIMAGELIST images = GetImageList();
    if (images && (item.fmt & HDF_IMAGE) && item.iImage >= 0 && m_imageWidth > 0)
    {
        const int width = std::min(m_imageWidth, static_cast<int>(rect.Width()));
        const int top = rect.top + (rect.Height() - m_imageHeight) / 2;
        if (width > 0)
            ::ImageList_DrawEx(images, item.iImage, dc, rect.left, top, width, m_imageHeight, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
        rect.left += width + m_spacing;
    }
    BITMAP picture = {};
    if ((item.fmt & HDF_BITMAP) && item.hbm && ::GetObjectW(item.hbm, sizeof(picture), &picture) == sizeof(picture))
    {
        const int width = std::min(static_cast<int>(picture.bmWidth), static_cast<int>(rect.Width()));
        CDC source;
        if (width > 0 && source.CreateCompatibleDC(dc))
        {
            CSelectObject selectPicture(source, item.hbm);
            const int top = rect.top + (rect.Height() - picture.bmHeight) / 2;
            dc.BitBlt(rect.right - width, top, width, picture.bmHeight, source, 0, 0, SRCCOPY);
        }
        rect.right -= width + m_spacing;
    }
    if (!(item.fmt & HDF_STRING) || text[0] == L'\0' || rect.Width() <= 0)
        return;
    dc.DrawText(TranslateText(text), &rect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CXHeaderCtrl::OnMouseMove(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_pToolTip || !m_pToolTip->IsWindow())
        return;
    const int index = HitTest(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    if (index != m_tipItem)
    {
        m_tipItem = index;
        const CString tip = index >= 0 && static_cast<size_t>(index) < m_tips.size() ? m_tips[static_cast<size_t>(index)] : CString();
        if (tip.IsEmpty())
            m_pToolTip->Activate(false);
        else
        {
            m_pToolTip->UpdateTipText(m_hWnd, kTipToolId, tip);
            m_pToolTip->Activate(true);
        }
    }
    MSG relayed = { m_hWnd, message, wParam, lParam, 0, { 0, 0 } };
    m_pToolTip->RelayEvent(&relayed);
}
