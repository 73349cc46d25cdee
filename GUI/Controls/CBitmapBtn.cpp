#include "CBitmapBtn.h"

#include "BitmapHelpers.h"
#include "CClientDC.h"
#include "CFont.h"
#include "CLangTable.h"
#include "CMemDC2.h"
#include "CSelectObject.h"
#include "SkinValues.h"

#include <windowsx.h>

namespace
{
// The raster operation "destination AND NOT source".
constexpr DWORD kDestAndNotSource = 0x00220326;
}

CBitmap ScaleBitmap(const CBitmap* picture, int width, int height)
{
    CBitmap scaled;
    if (!picture || picture->IsNull() || width <= 0 || height <= 0)
        return scaled;
    const CSize size = picture->GetSize();
    CClientDC screen(nullptr);
    CDC sourceDC;
    CDC targetDC;
    if (!scaled.CreateCompatibleBitmap(screen, width, height) || !sourceDC.CreateCompatibleDC(screen) ||
        !targetDC.CreateCompatibleDC(screen))
        return CBitmap();
    CSelectObject selectSource(sourceDC, *picture);
    CSelectObject selectTarget(targetDC, scaled);
    ::SetStretchBltMode(targetDC, COLORONCOLOR);
    targetDC.StretchBlt(0, 0, width, height, sourceDC, 0, 0, size.cx, size.cy, SRCCOPY);
    return scaled;
}

CString ShownText(const CString& text, int caseMode, bool* translated)
{
    CString shown;
    const bool found = LookupText(text, shown);
    if (translated)
        *translated = found;
    shown = SkinValues::ApplyCase(shown, caseMode);
    const int lineBreak = shown.Find(L"\\n");
    if (lineBreak >= 0)
        shown = shown.Left(lineBreak) + L"\r\n" + shown.Mid(lineBreak + 2);
    return shown;
}

void ActivateRootWindow(HWND wnd)
{
    HWND root = ::GetAncestor(wnd, GA_ROOT);
    if (root && ::GetActiveWindow() != root)
        ::SetActiveWindow(root);
}

HFONT DefaultControlFont()
{
    static CFont font;
    if (font.IsNull())
    {
        LOGFONTW logFont = {};
        logFont.lfHeight = -14;
        logFont.lfWeight = FW_BOLD;
        logFont.lfCharSet = DEFAULT_CHARSET;
        logFont.lfPitchAndFamily = FF_SWISS;
        lstrcpynW(logFont.lfFaceName, L"Arial", LF_FACESIZE);
        font.CreateFontIndirect(&logFont);
    }
    return font;
}

bool CBitmapBtn::Create(const RECT& rect, CWnd* parent, DWORD style)
{
    return CButton::Create(L"", (style | BS_OWNERDRAW) & ~WS_TABSTOP, rect, parent, 0);
}

void CBitmapBtn::SetBitmaps(CBitmap* normal, CBitmap* hover, CBitmap* pressed, CBitmap* disabled, int width,
    int height, CBitmap* mask)
{
    CBitmap* sources[kStateCount] = { normal, hover, pressed, disabled };
    for (int state = 0; state < kStateCount; ++state)
        m_images[state] = ScaleBitmap(sources[state], width, height);
    ModifyStyle(WS_BORDER | WS_TABSTOP, 0);
    m_mask = ScaleBitmap(mask, width, height);
    if (!m_mask.IsNull())
    {
        HRGN region = CreateRegionFromBitmap(m_mask);
        if (region && !SetWindowRgn(region, true))
            ::DeleteObject(region);
    }
    Invalidate(false);
}

void CBitmapBtn::SetChecked(bool checked)
{
    if (m_checked == checked)
        return;
    m_checked = checked;
    Invalidate(false);
}

void CBitmapBtn::SetHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    Invalidate(false);
}

void CBitmapBtn::SetButtonText(const CString& text, int caseMode)
{
    SetCaption(ShownText(text, caseMode));
}

void CBitmapBtn::SetCaption(const CString& caption)
{
    m_caption = caption;
    SetWindowText(m_caption);
    Invalidate(false);
}

void CBitmapBtn::SetCaptionColour(CaptionState state, COLORREF colour)
{
    if (state >= 0 && state < kStateCount)
        m_captionColours[state] = colour == 0 ? 0xFEFEFE : colour;
}

void CBitmapBtn::SetItemToolTipText(const CString& text)
{
    if (!m_hWnd)
        return;
    CString shown;
    LookupText(text, shown);
    m_toolTip.SetToolText(this, shown);
}

bool CBitmapBtn::StartBlinking()
{
    if (!SetTimer(kBlinkTimerId, m_blinkInterval))
        return false;
    m_pBlinkImage = &m_images[kPressed];
    Invalidate(false);
    return true;
}

void CBitmapBtn::StopBlinking()
{
    KillTimer(kBlinkTimerId);
    if (!m_pBlinkImage)
        return;
    m_pBlinkImage = nullptr;
    Invalidate(false);
}

void CBitmapBtn::OnBlinkTick()
{
    m_pBlinkImage = m_pBlinkImage == &m_images[kNormal] ? &m_images[kPressed] : &m_images[kNormal];
    Invalidate(false);
}

bool CBitmapBtn::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_MOUSEMOVE: // void OnMouseMove(UINT flags, POINT point)
        OnMouseMove(static_cast<UINT>(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        result = Default();
        return true;
    case WM_CAPTURECHANGED: // losing the capture while hovering ends the hover
    case WM_KILLFOCUS:
        if (m_hovering && reinterpret_cast<HWND>(lParam) != m_hWnd)
        {
            m_hovering = false;
            Invalidate(false);
        }
        break;
    case WM_LBUTTONDOWN: // bool OnLButtonDown(): true when handled without the default
        if (OnLButtonDown())
            return true;
        break;
    case WM_LBUTTONUP: // a check box ignores the release; a plain button clicks
        if (m_checkBox)
            return true;
        result = Default();
        Invalidate(false);
        return true;
    case WM_LBUTTONDBLCLK: // does nothing
        return true;
    case WM_TIMER: // void OnBlinkTick()
        if (wParam != kBlinkTimerId)
            break;
        OnBlinkTick();
        return true;
    case BM_GETCHECK: // the checked state, also for a button drawn by its owner
        result = m_checked ? BST_CHECKED : BST_UNCHECKED;
        return true;
    default:
        break;
    }
    return CButton::OnWndMsg(message, wParam, lParam, result);
}

void CBitmapBtn::OnMouseMove(UINT flags, POINT point)
{
    if (::GetCapture() != m_hWnd)
    {
        const bool leftDown = (flags & MK_LBUTTON) != 0;
        if (leftDown && !m_hovering)
            return;
        if (::GetActiveWindow() && GetParentHandle())
        {
            m_hovering = true;
            BringWindowToTop();
            SetCapture();
            Invalidate(false);
        }
        return;
    }
    POINT screen = point;
    ClientToScreen(&screen);
    if (::WindowFromPoint(screen) == m_hWnd)
        return;
    m_hovering = false;
    Invalidate(false);
    if (!(flags & MK_LBUTTON))
        ::ReleaseCapture();
}

bool CBitmapBtn::OnLButtonDown()
{
    ActivateRootWindow(m_hWnd);
    if (!m_checkBox)
        return false;
    if (m_toggleOnClick)
        m_checked = !m_checked;
    Invalidate(false);
    ::SendMessageW(GetParentHandle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
        reinterpret_cast<LPARAM>(m_hWnd));
    return true;
}

bool CBitmapBtn::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_DRAWITEM)
        return CButton::OnChildNotify(message, wParam, lParam, result);
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}

void CBitmapBtn::DrawImage(CDCHandle& dc, const CRect& rect, const CBitmap& image) const
{
    CDC imageDC;
    if (!imageDC.CreateCompatibleDC(dc))
        return;
    CSelectObject selectImage(imageDC, image);
    if (m_mask.IsNull())
    {
        dc.BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), imageDC, 0, 0, SRCCOPY);
        return;
    }
    // Drawn through the mask: what lies under the button shows where the mask is white.
    CDC maskDC;
    CDC partDC;
    CBitmap part;
    if (!maskDC.CreateCompatibleDC(dc) || !partDC.CreateCompatibleDC(dc) ||
        !part.CreateCompatibleBitmap(dc, rect.Width(), rect.Height()))
        return;
    CSelectObject selectMask(maskDC, m_mask);
    CSelectObject selectPart(partDC, part);
    // The image where the mask is black, black elsewhere.
    partDC.BitBlt(0, 0, rect.Width(), rect.Height(), imageDC, 0, 0, SRCCOPY);
    partDC.BitBlt(0, 0, rect.Width(), rect.Height(), maskDC, 0, 0, kDestAndNotSource);
    // What the parent paints under the button, black where the mask is black, then the image.
    CDC underDC;
    CBitmap under;
    if (underDC.CreateCompatibleDC(dc) && under.CreateCompatibleBitmap(dc, rect.Width(), rect.Height()))
    {
        CSelectObject selectUnder(underDC, under);
        HWND parent = GetParentHandle();
        CPoint origin(rect.left, rect.top);
        ::MapWindowPoints(m_hWnd, parent, &origin, 1);
        ::SetViewportOrgEx(underDC, -origin.x, -origin.y, nullptr);
        ::SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(underDC.GetSafeHdc()), PRF_CLIENT);
        ::SetViewportOrgEx(underDC, 0, 0, nullptr);
        dc.BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), underDC, 0, 0, SRCCOPY);
    }
    dc.BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), maskDC, 0, 0, SRCAND);
    dc.BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), partDC, 0, 0, SRCPAINT);
}

const CBitmap& CBitmapBtn::StateImage(UINT itemState) const
{
    const bool disabled = (itemState & ODS_DISABLED) != 0;
    const bool hot = m_hovering || m_highlighted;
    if (m_checkBox && (m_checked || !disabled))
    {
        if (m_checked)
            return m_images[kPressed];
        return hot ? m_images[kHover] : m_images[kNormal];
    }
    if (disabled)
        return m_images[kDisabled];
    if (m_checked || (itemState & ODS_SELECTED))
        return m_images[kPressed];
    return hot ? m_images[kHover] : m_images[kNormal];
}

COLORREF CBitmapBtn::CaptionColour(UINT itemState) const
{
    if (m_checked || (itemState & ODS_SELECTED))
        return m_captionColours[kPressed];
    if (m_hovering)
        return m_captionColours[kHover];
    if (itemState & ODS_DISABLED)
        return m_captionColours[kDisabled];
    return m_captionColours[kNormal];
}

void CBitmapBtn::DrawItem(const DRAWITEMSTRUCT& item)
{
    const CRect rect(item.rcItem);
    CMemDC2 dc(item.hDC, &rect);
    // A blink image comes before every state.
    const CBitmap& image = m_pBlinkImage ? *m_pBlinkImage : StateImage(item.itemState);
    if (!image.IsNull())
        DrawImage(dc, rect, image);
    DrawCaption(dc, rect, item.itemState);
}

void CBitmapBtn::DrawCaption(CDCHandle& dc, const CRect& rect, UINT itemState)
{
    if (m_caption.IsEmpty())
        return;
    CSelectObject selectFont(dc, m_font ? m_font : DefaultControlFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(CaptionColour(itemState));
    CRect textRect = rect;
    if (!(m_textFormat & DT_SINGLELINE))
    {
        CRect measured = rect;
        dc.DrawText(m_caption, &measured, DT_CALCRECT | DT_WORDBREAK);
        textRect.left = rect.left + (rect.Width() - measured.Width()) / 2;
        textRect.top = rect.top + (rect.Height() - measured.Height()) / 2;
        textRect.right = textRect.left + measured.Width();
        textRect.bottom = textRect.top + measured.Height();
    }
    textRect.left += m_captionOffset;
    dc.DrawText(m_caption, &textRect, m_textFormat);
}
