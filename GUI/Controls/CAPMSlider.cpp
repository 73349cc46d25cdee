#include "CAPMSlider.h"

#include "BitmapHelpers.h"
#include "CClientDC.h"
#include "CDC.h"
#include "CMemDC2.h"
#include "CPaintDC.h"
#include "CRgn.h"
#include "CSelectObject.h"
#include "GUIMessages.h"

#include <windowsx.h>

#include <algorithm>

CAPMSlider::~CAPMSlider()
{
    m_tickers.clear();
}

CPHSlider* CAPMSlider::GetTicker(int index) const
{
    if (index < 0 || index >= GetTickerCount())
        return nullptr;
    return m_tickers[static_cast<size_t>(index)].get();
}

COLORREF CAPMSlider::GetStageColour(int stage) const
{
    if (stage < 0 || stage >= static_cast<int>(m_stageColours.size()))
        return 0;
    return m_stageColours[static_cast<size_t>(stage)];
}

int CAPMSlider::StageAt(int x) const
{
    CRect client;
    GetClientRect(&client);
    const int width = client.Width() > 0 ? client.Width() : m_rect.Width();
    const int value = width > 0 ? m_min + (m_max - m_min) * x / width : m_min;
    int stage = 0;
    for (const auto& ticker : m_tickers)
    {
        if (ticker->GetValue() > value)
            break;
        ++stage;
    }
    return stage;
}

int CAPMSlider::ValuePixel(int value, int min, int max, int usable)
{
    const int range = max - min;
    if (range == 0)
        return 0;
    return ((value - min) * usable + range / 2) / range;
}

bool CAPMSlider::CreateTrack(int x, int y, int cx, int cy, CWnd* parent)
{
    m_rect = CRect(x, y, x + cx, y + cy);
    return CSliderTrack::CreateTrack(x, y, cx, cy, parent);
}

void CAPMSlider::SetTickerBitmaps(HBITMAP normal, HBITMAP hover)
{
    m_hTickerNormal = normal;
    m_hTickerHover = hover;
}

void CAPMSlider::SetOverlay(const CBitmap* picture, const RECT& section)
{
    if (!picture || picture->IsNull())
        return;
    CClientDC screen(nullptr);
    CopyBitmapSection(m_overlay, screen, *picture, section.left, section.top, section.right, section.bottom);
    Invalidate(false);
}

void CAPMSlider::SetRange(int min, int max)
{
    m_min = min;
    m_max = max;
    for (const auto& ticker : m_tickers)
        ticker->SetSteps(min, 0, max - min);
    ApplyCapRanges();
    Invalidate(false);
}

CRect CAPMSlider::TickerTrack() const
{
    // The tickers' centres run from half a ticker in from the left to half a ticker in from
    // the right, where the stage edges are painted.
    CRect client;
    GetClientRect(&client);
    const int width = TickerWidth();
    return CRect(width / 2, 0, client.Width() - (width - width / 2), client.Height());
}

int CAPMSlider::TickerWidth() const
{
    BITMAP info = {};
    if (!m_hTickerNormal || ::GetObjectW(m_hTickerNormal, sizeof(info), &info) != sizeof(info))
        return 0;
    return info.bmWidth;
}

CPHSlider* CAPMSlider::AddTicker(int id)
{
    if (!m_hWnd)
        return nullptr;
    auto ticker = std::make_unique<CPHSlider>();
    ticker->m_id = id;
    ticker->SetSteps(m_min, 0, m_max - m_min);
    if (!ticker->CreateThumb(m_hTickerNormal, this, m_hTickerHover, nullptr, false, TickerTrack()))
        return nullptr;
    static_cast<CGUIItem&>(*ticker).m_hWnd = ticker->GetSafeHwnd();
    // The stage slider keeps its tickers itself rather than as its one thumb.
    SetThumb(nullptr);
    m_tickers.push_back(std::move(ticker));
    m_stageColours.resize(m_tickers.size() + 1, 0);
    ApplyCapRanges();
    Invalidate(false);
    return m_tickers.back().get();
}

void CAPMSlider::SetStageColours(const std::vector<COLORREF>& colours)
{
    m_stageColours = colours;
    Invalidate(false);
}

void CAPMSlider::SetDefaultStages()
{
    const int step = (m_max - m_min) / (GetTickerCount() + 1);
    for (int i = 0; i < GetTickerCount(); ++i)
    {
        CPHSlider& ticker = *m_tickers[static_cast<size_t>(i)];
        ticker.SetPos(m_min + (i + 1) * step - ticker.GetBase(), true);
    }
    ApplyCapRanges();
    Invalidate(false);
}

void CAPMSlider::SetDefaultColors()
{
    const unsigned range = static_cast<unsigned>(m_max > m_min ? m_max - m_min : 0);
    const unsigned delta = range > 0 ? static_cast<unsigned>(GetTickerCount() + 1) * 255u / range : 0u;
    if (m_stageColours.size() < m_tickers.size() + 1)
        m_stageColours.resize(m_tickers.size() + 1, 0);
    BYTE grey = 0;
    for (size_t stage = 0; stage < m_tickers.size(); ++stage)
    {
        m_stageColours[stage] = grey * 0x010101u;
        grey = static_cast<BYTE>(grey + delta);
    }
    Invalidate(false);
}

void CAPMSlider::SetTickerCapRanges()
{
    const int count = GetTickerCount();
    if (count == 1)
        m_tickers[0]->SetCapRange(m_max, m_min);
    if (count < 2)
        return;
    m_tickers[0]->SetCapRange(m_tickers[1]->GetValue(), m_min);
    for (int i = 1; i < count - 1; ++i)
        m_tickers[static_cast<size_t>(i)]->SetCapRange(m_tickers[static_cast<size_t>(i + 1)]->GetValue(),
            m_tickers[static_cast<size_t>(i - 1)]->GetValue() + 2);
    m_tickers[static_cast<size_t>(count - 1)]->SetCapRange(m_max, m_tickers[static_cast<size_t>(count - 2)]->GetValue());
}

void CAPMSlider::RemoveTickerCapRanges()
{
    for (const auto& ticker : m_tickers)
        ticker->SetCapRange(m_max, m_min);
}

void CAPMSlider::ApplyCapRanges()
{
    if (m_freeTickers)
        RemoveTickerCapRanges();
    else
        SetTickerCapRanges();
}

bool CAPMSlider::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_GUI_SLIDER_POSCHANGING: // void OnTickerMoved(WPARAM value, LPARAM id)
    case WM_GUI_SLIDER_POSCHANGED:
        OnTickerMoved(wParam, lParam);
        return true;
    case WM_LBUTTONUP: // void OnLButtonUp(int x)
        OnLButtonUp(GET_X_LPARAM(lParam));
        return true;
    case WM_PAINT: // void OnPaint()
        OnPaint();
        return true;
    default:
        break;
    }
    return CSliderTrack::OnWndMsg(message, wParam, lParam, result);
}

void CAPMSlider::OnTickerMoved(WPARAM value, LPARAM id)
{
    ApplyCapRanges();
    for (int i = 0; i < GetTickerCount(); ++i)
    {
        const CPHSlider& ticker = *m_tickers[static_cast<size_t>(i)];
        if (ticker.m_id != static_cast<int>(id) || ticker.GetValue() != static_cast<int>(value))
            continue;
        // The stages on both sides of the ticker, from the ticker before it to the one after.
        CRect client;
        GetClientRect(&client);
        const int left = i > 0 ? m_tickers[static_cast<size_t>(i - 1)]->GetStepPixel(m_tickers[static_cast<size_t>(i - 1)]->GetStep()) : 0;
        const int middle = ticker.GetStepPixel(ticker.GetStep()) + TickerWidth();
        const int right = i + 1 < GetTickerCount() ? m_tickers[static_cast<size_t>(i + 1)]->GetStepPixel(m_tickers[static_cast<size_t>(i + 1)]->GetStep()) + TickerWidth() : client.right;
        CRgn before;
        CRgn after;
        if (before.CreateRectRgn(left, 0, middle, client.bottom) && after.CreateRectRgn(middle, 0, right, client.bottom) &&
            before.CombineRgn(before, after, RGN_OR) != ERROR)
            ::InvalidateRgn(m_hWnd, before, FALSE);
        break;
    }
    ::PostMessageW(GetParentHandle(), WM_GUI_SLIDER_POSCHANGING, value, id);
    if (m_hOwnerWnd)
        ::PostMessageW(m_hOwnerWnd, WM_GUI_SLIDER_POSCHANGING, value, id);
}

void CAPMSlider::OnLButtonUp(int x)
{
    const int stage = StageAt(x);
    ::PostMessageW(GetParentHandle(), WM_GUI_SLIDER_STAGE_CLICKED, static_cast<WPARAM>(stage), m_id);
    if (m_hOwnerWnd)
        ::PostMessageW(m_hOwnerWnd, WM_GUI_SLIDER_STAGE_CLICKED, static_cast<WPARAM>(stage), m_id);
}

void CAPMSlider::OnPaint()
{
    CPaintDC paint(m_hWnd);
    CRect client;
    GetClientRect(&client);
    CMemDC2 dc(paint, &client);
    const int width = TickerWidth();
    const int usable = client.Width() - width;
    if (m_tickers.empty())
        dc.FillSolidRect(client, GetStageColour(0));
    int left = client.left;
    for (int stage = 0; stage < GetTickerCount(); ++stage)
    {
        const int edge = client.left + ValuePixel(m_tickers[static_cast<size_t>(stage)]->GetValue(), m_min, m_max, usable) + width / 2;
        dc.FillSolidRect(CRect(left, client.top, std::max(edge, left), client.bottom), GetStageColour(stage));
        left = std::max(edge, left);
    }
    if (!m_tickers.empty())
        dc.FillSolidRect(CRect(left, client.top, client.right, client.bottom), GetStageColour(GetTickerCount()));
    CDC source;
    if (m_overlay.IsNull() || !source.CreateCompatibleDC(dc))
        return;
    CSelectObject select(source, m_overlay);
    const CSize size = m_overlay.GetSize();
    dc.AlphaBlend(0, 0, client.Width(), client.Height(), source, 0, 0, size.cx, size.cy, m_overlayAlpha);
}
