#include "CDPIStageWindow.h"

#include "CDC.h"
#include "CMemDC2.h"
#include "CPaintDC.h"
#include "CSelectObject.h"
#include "CSkinResourceList.h"
#include "GUIMessages.h"
#include "ListDrawing.h"
#include "SkinValues.h"
#include "Vocabulary.h"

namespace
{
bool Named(int id, const wchar_t* name)
{
    return id >= 0 && id == GetGUIItemId(name);
}
}

bool CDPIStageWindow::Create(const RECT& rect, CWnd* parent, const std::vector<CDPIStagePicture>& pictures,
    const std::vector<CDPIStageText>& texts)
{
    for (const CDPIStagePicture& picture : pictures)
    {
        if (Named(picture.m_id, L"DPIFRAME"))
            m_frame = picture;
        else if (Named(picture.m_id, L"DPIFRAMESELECTED"))
            m_selectedFrame = picture;
        else if (Named(picture.m_id, L"DPIWIN"))
            m_singleBox = picture;
        else if (Named(picture.m_id, L"DPIWINX"))
            m_xBox = picture;
        else if (Named(picture.m_id, L"DPIWINY"))
            m_yBox = picture;
    }
    for (const CDPIStageText& text : texts)
    {
        if (Named(text.m_id, L"HEADING"))
            m_headingArea = text;
        else if (Named(text.m_id, L"DPIX"))
            m_xLabel = text;
        else if (Named(text.m_id, L"DPIY"))
            m_yLabel = text;
    }
    if (!CStatic::Create(L"", WS_VISIBLE | SS_NOTIFY, rect, parent))
        return false;
    SetHeading(m_headingArea.m_text);
    return true;
}

void CDPIStageWindow::SetHeading(const CString& key)
{
    CString heading = SkinValues::ApplyCase(TranslateText(key), m_caseMode);
    const int lineBreak = heading.Find(L"\\n");
    if (lineBreak >= 0)
        heading = heading.Left(lineBreak) + L"\r\n" + heading.Mid(lineBreak + 2);
    m_heading = heading;
    Invalidate(false);
}

void CDPIStageWindow::SetToolTip(const CString& key)
{
    m_toolTip.SetToolText(this, TranslateText(key));
}

void CDPIStageWindow::SetValues(int x, int y)
{
    m_x = x;
    m_y = y;
    Invalidate(false);
}

void CDPIStageWindow::SetSingleValue(int value)
{
    m_single = value;
    Invalidate(false);
}

void CDPIStageWindow::SetSeparateXY(bool separate)
{
    m_separateXY = separate;
    Invalidate(false);
}

void CDPIStageWindow::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    Invalidate(false);
}

void CDPIStageWindow::SetSelected(bool selected)
{
    m_selected = selected;
    Invalidate(false);
}

bool CDPIStageWindow::PreTranslateMessage(MSG* msg)
{
    if (msg && msg->hwnd == m_hWnd)
        m_toolTip.RelayEvent(msg);
    return CStatic::PreTranslateMessage(msg);
}

bool CDPIStageWindow::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_LBUTTONUP: // void OnLButtonUp()
        OnLButtonUp();
        return true;
    case WM_PAINT: // void OnPaint()
        OnPaint();
        return true;
    case WM_ERASEBKGND: // painting covers the tile
        result = TRUE;
        return true;
    default:
        break;
    }
    return CStatic::OnWndMsg(message, wParam, lParam, result);
}

void CDPIStageWindow::OnLButtonUp()
{
    if (!m_enabled || m_selected)
        return;
    m_selected = true;
    ::SendMessageW(GetParentHandle(), WM_GUI_DPISTAGE_SELECTED, static_cast<WPARAM>(m_stageIndex),
        static_cast<LPARAM>(m_id));
    SetFocus();
    Invalidate(false);
}

HFONT CDPIStageWindow::ShownFont()
{
    if (m_font)
        return m_font;
    if (m_defaultFont.IsNull())
    {
        LOGFONTW font = {};
        font.lfHeight = 14;
        font.lfWeight = FW_BOLD;
        lstrcpynW(font.lfFaceName, L"Arial", LF_FACESIZE);
        m_defaultFont.CreateFontIndirect(&font);
    }
    return m_defaultFont;
}

void CDPIStageWindow::DrawPicture(HDC dc, const CDPIStagePicture& picture, const CBitmap* replacement) const
{
    const CBitmap* shown = replacement ? replacement : picture.m_pPicture;
    CDC source;
    if (!shown || shown->IsNull() || !source.CreateCompatibleDC(dc))
        return;
    CRect client;
    GetClientRect(&client);
    CRect target = picture.m_rect.IsRectEmpty() ? client : picture.m_rect;
    // Every picture is cut to the tile's size.
    ::IntersectRect(&target, &target, &client);
    CSelectObject select(source, shown->GetHandle());
    ::BitBlt(dc, target.left, target.top, target.Width(), target.Height(), source, 0, 0, SRCCOPY);
}

void CDPIStageWindow::DrawValue(HDC dc, const CRect& box, int value) const
{
    CRect inner = box;
    inner.DeflateRect(3, 2);
    CDCHandle target(dc);
    target.FillSolidRect(inner, 0);
    CString text;
    text.Format(L"%d", value);
    target.DrawText(text, &inner, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CDPIStageWindow::OnPaint()
{
    CPaintDC paint(m_hWnd);
    CRect client;
    GetClientRect(&client);
    CMemDC2 dc(paint, &client);
    DrawPicture(dc, m_selected ? m_selectedFrame : m_frame, nullptr);
    CSelectObject selectFont(dc, ShownFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_enabled ? 0xFFFFFF : 0x808080);
    CRect headingRect = m_headingArea.m_rect.IsRectEmpty() ? client : m_headingArea.m_rect;
    const UINT headingFormat = m_heading.Find(L"\r\n") >= 0 ? DT_CENTER : (DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    dc.DrawText(m_heading, &headingRect, headingFormat);
    const CBitmap* selectedBox = m_selected ? FindSkinPicture(L"stageSelected.bmp") : nullptr;
    if (!m_separateXY)
    {
        DrawPicture(dc, m_singleBox, selectedBox);
        DrawValue(dc, m_singleBox.m_rect, m_single);
        return;
    }
    DrawPicture(dc, m_xBox, selectedBox);
    DrawPicture(dc, m_yBox, selectedBox);
    CRect xLabel = m_xLabel.m_rect;
    CRect yLabel = m_yLabel.m_rect;
    dc.DrawText(TranslateText(m_xLabel.m_text), &xLabel, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    dc.DrawText(TranslateText(m_yLabel.m_text), &yLabel, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    DrawValue(dc, m_xBox.m_rect, m_x);
    DrawValue(dc, m_yBox.m_rect, m_y);
}
