#include "CDCHandle.h"

#include <vector>

bool CDCHandle::IsPrinting() const
{
    return m_hDC && ::GetDeviceCaps(m_hDC, TECHNOLOGY) == DT_RASPRINTER;
}

int CDCHandle::GetClipBox(RECT* rect) const
{
    return m_hDC ? ::GetClipBox(m_hDC, rect) : ERROR;
}

COLORREF CDCHandle::GetBkColor() const
{
    return m_hDC ? ::GetBkColor(m_hDC) : CLR_INVALID;
}

int CDCHandle::GetMapMode() const
{
    return m_hDC ? ::GetMapMode(m_hDC) : 0;
}

CSize CDCHandle::GetWindowExt() const
{
    SIZE size = {};
    if (m_hDC)
        ::GetWindowExtEx(m_hDC, &size);
    return CSize(size);
}

CSize CDCHandle::GetViewportExt() const
{
    SIZE size = {};
    if (m_hDC)
        ::GetViewportExtEx(m_hDC, &size);
    return CSize(size);
}

CSize CDCHandle::GetTextExtent(const CString& text) const
{
    SIZE size = {};
    if (m_hDC)
        ::GetTextExtentPoint32W(m_hDC, text.GetString(), text.GetLength(), &size);
    return CSize(size);
}

bool CDCHandle::GetTextMetrics(TEXTMETRICW* metrics) const
{
    return m_hDC && ::GetTextMetricsW(m_hDC, metrics) != FALSE;
}

HGDIOBJ CDCHandle::SelectObject(HGDIOBJ object)
{
    return m_hDC && object ? ::SelectObject(m_hDC, object) : nullptr;
}

COLORREF CDCHandle::SetTextColor(COLORREF color)
{
    return m_hDC ? ::SetTextColor(m_hDC, color) : CLR_INVALID;
}

COLORREF CDCHandle::SetBkColor(COLORREF color)
{
    return m_hDC ? ::SetBkColor(m_hDC, color) : CLR_INVALID;
}

int CDCHandle::SetBkMode(int mode)
{
    return m_hDC ? ::SetBkMode(m_hDC, mode) : 0;
}

int CDCHandle::SetMapMode(int mode)
{
    return m_hDC ? ::SetMapMode(m_hDC, mode) : 0;
}

CSize CDCHandle::SetWindowExt(SIZE size)
{
    SIZE old = {};
    if (m_hDC)
        ::SetWindowExtEx(m_hDC, size.cx, size.cy, &old);
    return CSize(old);
}

CSize CDCHandle::SetViewportExt(SIZE size)
{
    SIZE old = {};
    if (m_hDC)
        ::SetViewportExtEx(m_hDC, size.cx, size.cy, &old);
    return CSize(old);
}

CPoint CDCHandle::SetWindowOrg(int x, int y)
{
    POINT old = {};
    if (m_hDC)
        ::SetWindowOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

bool CDCHandle::LPtoDP(RECT* rect) const
{
    return m_hDC && ::LPtoDP(m_hDC, reinterpret_cast<POINT*>(rect), 2) != FALSE;
}

bool CDCHandle::DPtoLP(RECT* rect) const
{
    return m_hDC && ::DPtoLP(m_hDC, reinterpret_cast<POINT*>(rect), 2) != FALSE;
}

bool CDCHandle::BitBlt(int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop)
{
    return m_hDC && ::BitBlt(m_hDC, x, y, width, height, source, sx, sy, rop) != FALSE;
}

bool CDCHandle::StretchBlt(int x, int y, int width, int height, HDC source, int sx, int sy, int sw, int sh,
    DWORD rop)
{
    return m_hDC && ::StretchBlt(m_hDC, x, y, width, height, source, sx, sy, sw, sh, rop) != FALSE;
}

bool CDCHandle::AlphaBlend(int x, int y, int width, int height, HDC source, int sx, int sy, int sw, int sh, BYTE alpha)
{
    const BLENDFUNCTION blend = { AC_SRC_OVER, 0, alpha, 0 };
    return m_hDC && source && width > 0 && height > 0 &&
        ::AlphaBlend(m_hDC, x, y, width, height, source, sx, sy, sw, sh, blend) != FALSE;
}

void CDCHandle::FillSolidRect(const RECT& rect, COLORREF color)
{
    if (!m_hDC)
        return;
    const COLORREF old = ::SetBkColor(m_hDC, color);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

bool CDCHandle::FillRect(const RECT& rect, HBRUSH brush)
{
    return m_hDC && brush && ::FillRect(m_hDC, &rect, brush) != 0;
}

bool CDCHandle::Rectangle(const RECT& rect)
{
    return m_hDC && ::Rectangle(m_hDC, rect.left, rect.top, rect.right, rect.bottom) != FALSE;
}

bool CDCHandle::MoveTo(int x, int y)
{
    return m_hDC && ::MoveToEx(m_hDC, x, y, nullptr) != FALSE;
}

bool CDCHandle::LineTo(int x, int y)
{
    return m_hDC && ::LineTo(m_hDC, x, y) != FALSE;
}

int CDCHandle::DrawText(const CString& text, RECT* rect, UINT format)
{
    if (!m_hDC || !rect)
        return 0;
    // DT_MODIFYSTRING may append up to four characters ("...") to the drawn copy.
    std::vector<wchar_t> buffer(text.GetString(), text.GetString() + text.GetLength());
    buffer.resize(buffer.size() + 5, L'\0');
    return ::DrawTextW(m_hDC, buffer.data(), text.GetLength(), rect, format);
}

bool CDCHandle::DrawEdge(RECT* rect, UINT edge, UINT flags)
{
    return m_hDC && rect && ::DrawEdge(m_hDC, rect, edge, flags) != FALSE;
}

void CDCHandle::Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    FillSolidRect(RECT{ rect.left, rect.top, rect.right - 1, rect.top + 1 }, topLeft);
    FillSolidRect(RECT{ rect.left, rect.top, rect.left + 1, rect.bottom - 1 }, topLeft);
    FillSolidRect(RECT{ rect.right - 1, rect.top, rect.right, rect.bottom }, bottomRight);
    FillSolidRect(RECT{ rect.left, rect.bottom - 1, rect.right, rect.bottom }, bottomRight);
}
