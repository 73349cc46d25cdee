#include "CGUIPanel.h"

#include "BitmapHelpers.h"
#include "CMemDC2.h"
#include "CPaintDC.h"
#include "CSelectObject.h"
#include "GUIPageLoader.h"

CGUIPanel::CGUIPanel(UINT templateId, const CString& pageFile, CWnd* parent)
    : CDialog(templateId, parent), m_pageFile(pageFile)
{
}

CGUIPanel::CGUIPanel(UINT templateId, const RECT& rect, CWnd* parent)
    : CDialog(templateId, parent), m_rcFixed(rect)
{
}

CGUIPanel::~CGUIPanel()
{
    // The items' windows go with the panel's window, before the items themselves.
    DestroyWindow();
    m_items.DeleteAll();
}

bool CGUIPanel::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_CREATE: // int OnCreate()
        result = OnCreate();
        return true;
    case WM_PAINT: // void OnPaint()
        OnPaint();
        return true;
    case WM_PRINTCLIENT: // void DrawBackground(HDC): a masked control asks what lies under it
        DrawBackground(reinterpret_cast<HDC>(wParam));
        return true;
    case WM_ERASEBKGND: // the background bitmap covers the window
        if (!m_bCreated || !m_pBackground)
            break;
        result = TRUE;
        return true;
    case WM_DESTROY: // void OnDestroy()
        OnDestroy();
        break;
    case WM_HELP: // bool OnHelp()
        if (!OnHelp())
            break;
        result = TRUE;
        return true;
    default:
        break;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}

int CGUIPanel::OnCreate()
{
    // A window created again loads its page afresh rather than adding a second copy.
    m_items.DeleteAll();
    m_pBackground = nullptr;
    m_pMask = nullptr;
    m_hRegion = nullptr;
    if (!m_pageFile.IsEmpty())
    {
        LoadGUIPage(m_items, m_pageFile, this);
        ShapeFromPage();
    }
    else if (!m_rcFixed.IsRectEmpty())
    {
        MoveWindow(0, 0, m_rcFixed.Width(), m_rcFixed.Height(), true);
    }
    m_bCreated = true;
    return static_cast<int>(Default());
}

void CGUIPanel::ShapeFromPage()
{
    m_pBackground = m_items.FindItemOfKind<CPanelBitmap>(kBackgroundItemId, GUIKIND_PANELBITMAP);
    m_pMask = m_items.FindItemOfKind<CPanelBitmap>(kMaskItemId, GUIKIND_PANELBITMAP);
    // Without a background the window keeps the size its template gave it.
    const CSize size = m_pBackground ? m_pBackground->GetSize() : CSize();
    if (size.cx > 0 && size.cy > 0)
        MoveWindow(0, 0, size.cx, size.cy, true);
    if (!m_pMask)
        return;
    HRGN region = CreateRegionFromBitmap(*m_pMask);
    if (!region)
        return;
    if (SetWindowRgn(region, true))
        m_hRegion = region;
    else
        ::DeleteObject(region);
}

bool CGUIPanel::OnHelp()
{
    return false;
}

void CGUIPanel::OnPaint()
{
    CPaintDC paint(m_hWnd);
    DrawBackground(paint);
}

void CGUIPanel::DrawBackground(HDC target)
{
    if (!m_bCreated || !m_pBackground || m_pBackground->IsNull() || !target)
        return;
    CRect client;
    GetClientRect(&client);
    CDC memory;
    if (!memory.CreateCompatibleDC(target))
        return;
    CSelectObject select(memory, *m_pBackground);
    ::BitBlt(target, 0, 0, client.Width(), client.Height(), memory, 0, 0, SRCCOPY);
}

void CGUIPanel::OnDestroy()
{
    // The bitmaps are freed once: the items forget their handles.
    if (m_pBackground)
        m_pBackground->DeleteObject();
    if (m_pMask)
        m_pMask->DeleteObject();
    m_hRegion = nullptr;
    m_bCreated = false;
}
