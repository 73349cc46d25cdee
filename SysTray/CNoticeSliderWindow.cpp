#include "CNoticeSliderWindow.h"

#include "NoticeGeometry.h"

namespace
{
const wchar_t kClassName[] = L"csl_osdslider";
constexpr BYTE kAlpha = 200;
constexpr int kSteps = 20;
constexpr int kStepHeight = 12;
constexpr int kBottomPadding = 12;
constexpr float kValuePoints = 10.0f;
constexpr float kLabelPoints = 20.0f;
}

bool CNoticeSliderWindow::Create()
{
    if (!RegisterNoticeClass(kClassName))
        return false;
    if (!CreateEx(kNoticeExStyle, kClassName, nullptr, WS_POPUP, RECT{}, nullptr, nullptr))
        return false;
    ShowWindow(SW_HIDE);
    return true;
}

bool CNoticeSliderWindow::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_CREATE: // bool OnCreate()
        result = OnCreate() ? 0 : -1;
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

bool CNoticeSliderWindow::OnCreate()
{
    if (!::SetLayeredWindowAttributes(m_hWnd, kNoticeSeeThrough, kAlpha, LWA_COLORKEY | LWA_ALPHA))
        return false;
    const float scale = GetNoticeScale();
    m_labelHeight = static_cast<int>(scale * kLabelPoints);
    m_height = static_cast<int>(scale * kValuePoints) + kSteps * kStepHeight + kBottomPadding;
    Place();
    return true;
}

void CNoticeSliderWindow::Place()
{
    MoveWindow(GetNoticeSliderRect(GetPrimaryMonitorRect(), m_labelHeight, m_height), false);
}
