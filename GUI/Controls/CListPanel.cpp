#include "CListPanel.h"

#include "CListPanelList.h"
#include "CPaintDC.h"
#include "CPen.h"
#include "CSelectObject.h"
#include "GUIMessages.h"
#include "GUIPanelResource.h"

namespace
{
UINT g_listPanelTemplateId = IDD_GUIPANEL;
}

UINT CListPanel::GetTemplateId()
{
    return g_listPanelTemplateId;
}

void CListPanel::SetTemplateId(UINT templateId)
{
    g_listPanelTemplateId = templateId;
}

CListPanel::CListPanel(CWnd* parent, const CListPanelLevel& level, std::vector<CString>* result, const RECT& screenRect)
    : CPopupBox(g_listPanelTemplateId, screenRect, parent), m_level(level), m_pResult(result), m_screenRect(screenRect)
{
    const int border = level.m_settings.m_borderWidth > 0 ? level.m_settings.m_borderWidth : 1;
    m_borderFloor = border / 2;
    m_borderCeiling = border - border / 2;
}

CListPanel::~CListPanel()
{
    DestroyWindow();
    m_pList.reset();
}

INT_PTR CListPanel::Run(CWnd* parent, const CListPanelLevel& level, std::vector<CString>* result, const RECT& screenRect)
{
    CListPanel panel(parent, level, result, screenRect);
    return panel.DoModal() == kChosen ? kChosen : kClosed;
}

bool CListPanel::OnInitDialog()
{
    CPopupBox::OnInitDialog();
    SetWindowPos(HWND_TOPMOST, m_screenRect.left, m_screenRect.top, m_screenRect.Width(), m_screenRect.Height(),
        SWP_NOACTIVATE);
    const int border = m_borderFloor + m_borderCeiling;
    CRect client;
    GetClientRect(&client);
    client.DeflateRect(border, border);
    m_pList = std::make_unique<CListPanelList>(m_level, m_pResult);
    if (!m_pList->Create(client, this))
    {
        m_pList.reset();
        EndDialog(kClosed);
        return false;
    }
    m_pList->SetFocus();
    return false;
}

bool CListPanel::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_PAINT: // void OnPaint()
        OnPaint();
        return true;
    case WM_ERASEBKGND: // painting covers the panel
        result = TRUE;
        return true;
    case WM_GUI_LISTPANEL_SELECT: // a row was chosen
        Finish(kChosen);
        return true;
    case WM_GUI_LISTPANEL_CLOSE: // closed without a choice
        Finish(kClosed);
        return true;
    default:
        break;
    }
    return CPopupBox::OnWndMsg(message, wParam, lParam, result);
}

void CListPanel::OnCancel()
{
    Finish(kClosed);
}

void CListPanel::Finish(INT_PTR result)
{
    // The first ending holds: the list loses the focus as the panel goes. The list may be
    // the sender: it goes with the panel's window when the run has ended.
    if (m_finished)
        return;
    m_finished = true;
    if (m_pList)
        ::ReleaseCapture();
    EndDialog(result);
}

void CListPanel::OnPaint()
{
    CPaintDC paint(m_hWnd);
    CRect client;
    GetClientRect(&client);
    paint.FillSolidRect(client, GetListColour(m_level.m_settings.m_colours, LISTCLR_BACK));
    CPen pen;
    if (!pen.CreatePen(PS_SOLID, m_borderFloor + m_borderCeiling,
            GetListColourOrWhite(m_level.m_settings.m_colours, LISTCLR_BORDER)))
        return;
    CSelectObject selectPen(paint, pen);
    const int f = m_borderFloor;
    const int c = m_borderCeiling;
    const POINT frame[] = { { client.left + f, client.top + f }, { client.left + f, client.bottom - c },
        { client.right - c, client.bottom - c }, { client.right - c, client.top + f },
        { client.left + f - 1, client.top + f } };
    ::Polyline(paint, frame, 5);
}
