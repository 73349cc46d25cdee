#include "CNoticeTextWindow.h"

#include "CPaintDC.h"
#include "CSelectObject.h"
#include "NoticeGeometry.h"

#include <cwchar>

namespace
{
const wchar_t kClassName[] = L"csl_osd";
constexpr COLORREF kTextColour = RGB(0, 250, 0);
constexpr float kFontPoints = 20.0f;
}

bool CNoticeTextWindow::Create()
{
    if (!RegisterNoticeClass(kClassName))
        return false;
    if (!CreateEx(kNoticeExStyle, kClassName, nullptr, WS_POPUP, RECT{}, nullptr, nullptr))
        return false;
    ShowWindow(SW_HIDE);
    return true;
}

void CNoticeTextWindow::Show(const wchar_t* text)
{
    if (!m_hWnd)
        return;
    wcsncpy(m_text, text ? text : L"", _countof(m_text) - 1);
    m_text[_countof(m_text) - 1] = L'\0';
    PostMessage(kShowMessage);
}

bool CNoticeTextWindow::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_CREATE: // bool OnCreate()
        result = OnCreate() ? 0 : -1;
        return true;
    case kShowMessage: // void OnShowText()
        OnShowText();
        return true;
    case WM_PAINT: // void OnPaint()
        OnPaint();
        return true;
    case WM_TIMER: // void OnHideTimer()
        if (wParam != kHideTimer)
            break;
        OnHideTimer();
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_DISPLAYCHANGE: // void Place(), then the default handling
        Place();
        break;
    default:
        break;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

bool CNoticeTextWindow::OnCreate()
{
    if (!::SetLayeredWindowAttributes(m_hWnd, kNoticeSeeThrough, 0, LWA_COLORKEY) ||
        !m_background.CreateSolidBrush(kNoticeSeeThrough))
        return false;
    m_fontHeight = static_cast<int>(GetNoticeScale() * kFontPoints);
    LOGFONTW font = {};
    font.lfHeight = -m_fontHeight;
    font.lfWeight = FW_BOLD;
    font.lfQuality = CLEARTYPE_QUALITY;
    wcscpy(font.lfFaceName, L"Arial");
    if (!m_font.CreateFontIndirect(&font))
        return false;
    Place();
    return true;
}

void CNoticeTextWindow::OnShowText()
{
    ShowWindow(SW_SHOWNOACTIVATE);
    Invalidate(false);
    SetTimer(kHideTimer, kShowMs);
}

void CNoticeTextWindow::OnPaint()
{
    CPaintDC dc(m_hWnd);
    RECT client;
    GetClientRect(&client);
    dc.FillRect(client, m_background);
    if (m_text[0] == L'\0')
        return;
    CSelectObject font(dc, m_font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kTextColour);
    dc.DrawText(m_text, &client, DT_SINGLELINE | DT_BOTTOM | DT_RIGHT);
}

void CNoticeTextWindow::OnHideTimer()
{
    m_text[0] = L'\0';
    Invalidate(false);
    UpdateWindow();
    ShowWindow(SW_HIDE);
    KillTimer(kHideTimer);
}

void CNoticeTextWindow::Place()
{
    const RECT strip = GetNoticeTextRect(GetPrimaryMonitorRect(), m_fontHeight);
    MoveWindow(strip, false);
}
