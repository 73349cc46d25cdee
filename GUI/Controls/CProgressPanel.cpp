#include "CProgressPanel.h"

#include "CMemDC2.h"
#include "CPaintDC.h"
#include "CSelectObject.h"
#include "ListDrawing.h"

#include <algorithm>

CString CProgressPanel::GetText(const wchar_t* name) const
{
    for (const CProgressText& text : m_texts)
        if (text.m_name.CompareNoCase(name) == 0)
            return text.m_text;
    return CString();
}

bool CProgressPanel::Create(const RECT& rect, CWnd* parent, const RECT& fillRect, COLORREF fill, COLORREF back, UINT id)
{
    m_backColour = back;
    if (!CStatic::Create(L"", WS_VISIBLE, rect, parent, id))
        return false;
    return m_fillBar.Create(fillRect, this, fill, back);
}

void CProgressPanel::SetBackColour(COLORREF colour)
{
    m_backColour = colour;
    Invalidate(false);
}

void CProgressPanel::SetTextEntries(const std::vector<CProgressText>& texts)
{
    m_texts = texts;
    m_heading = m_percentText = m_status = -1;
    for (size_t i = 0; i < m_texts.size(); ++i)
    {
        const CString& name = m_texts[i].m_name;
        if (name.CompareNoCase(L"PP_HEADING") == 0)
            m_heading = static_cast<int>(i);
        else if (name.CompareNoCase(L"PP_PERCENT") == 0)
            m_percentText = static_cast<int>(i);
        else if (name.CompareNoCase(L"PP_STATUS") == 0)
            m_status = static_cast<int>(i);
    }
    Invalidate(false);
}

void CProgressPanel::SetEntryText(int entry, const CString& text)
{
    if (entry < 0)
        return;
    m_texts[static_cast<size_t>(entry)].m_text = text;
    Invalidate(false);
}

void CProgressPanel::SetHeading(const CString& text)
{
    SetEntryText(m_heading, text);
}

void CProgressPanel::SetStatus(const CString& text)
{
    SetEntryText(m_status, text);
}

void CProgressPanel::SetPercent(int value)
{
    m_percent = std::min(std::max(value, 0), 100);
    m_fillBar.SetPercent(m_percent);
    CString text;
    text.Format(L"%d%%", m_percent);
    SetEntryText(m_percentText, text);
}

void CProgressPanel::Bounce()
{
    SetPercent(m_percent + m_direction);
    if (m_percent > 99 || m_percent == 0)
        m_direction = m_direction != 1 ? 1 : -1;
}

bool CProgressPanel::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_PAINT: // void OnPaint()
        OnPaint();
        return true;
    case WM_ERASEBKGND: // painting covers the panel
        result = TRUE;
        return true;
    case WM_TIMER: // void Bounce()
        if (wParam != kBounceTimer)
            break;
        Bounce();
        return true;
    default:
        break;
    }
    return CStatic::OnWndMsg(message, wParam, lParam, result);
}

void CProgressPanel::OnPaint()
{
    CPaintDC paint(m_hWnd);
    CRect client;
    GetClientRect(&client);
    CMemDC2 dc(paint, &client);
    dc.FillSolidRect(client, m_backColour);
    if (m_defaultFont.IsNull())
    {
        LOGFONTW font = {};
        font.lfHeight = 12;
        font.lfWeight = FW_BOLD;
        lstrcpynW(font.lfFaceName, L"Arial", LF_FACESIZE);
        m_defaultFont.CreateFontIndirect(&font);
    }
    dc.SetBkMode(TRANSPARENT);
    for (const CProgressText& text : m_texts)
    {
        dc.FillSolidRect(text.m_rect, text.m_backColour);
        dc.SetTextColor(text.m_textColour);
        CSelectObject selectFont(dc, text.m_font ? text.m_font : m_defaultFont.GetHandle());
        CRect rect = text.m_rect;
        dc.DrawText(TranslateText(text.m_text), &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
}
