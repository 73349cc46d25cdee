#include "CBmpInfo.h"

#include "CDC.h"
#include "CSelectObject.h"

namespace
{
// The raster operation "destination AND NOT source".
constexpr DWORD kDestAndNotSource = 0x00220326;

bool IsSet(const CBitmap* bitmap)
{
    return bitmap && !bitmap->IsNull();
}
}

const CBitmap* CBmpInfo::Picture(bool disabled, bool pressed, bool hover) const
{
    const State state = disabled ? kDisabled : pressed ? kPressed : hover ? kHover : kNormal;
    if (IsSet(m_pictures[state]))
        return m_pictures[state];
    return IsSet(m_pictures[kNormal]) ? m_pictures[kNormal] : nullptr;
}

void CBmpInfo::Draw(HDC dc, bool disabled, bool pressed, bool hover) const
{
    const CBitmap* picture = Picture(disabled, pressed, hover);
    CDC pictureDC;
    if (!picture || m_rect.IsRectEmpty() || !pictureDC.CreateCompatibleDC(dc))
        return;
    CSelectObject selectPicture(pictureDC, *picture);
    const int width = m_rect.Width();
    const int height = m_rect.Height();
    if (!IsSet(m_pMask))
    {
        ::BitBlt(dc, m_rect.left, m_rect.top, width, height, pictureDC, 0, 0, SRCCOPY);
        return;
    }
    // The picture where the mask is black, black elsewhere; the target cleared where the
    // picture goes; then the two combined.
    CDC maskDC;
    CDC partDC;
    CBitmap part;
    if (!maskDC.CreateCompatibleDC(dc) || !partDC.CreateCompatibleDC(dc) || !part.CreateCompatibleBitmap(dc, width, height))
        return;
    CSelectObject selectMask(maskDC, *m_pMask);
    CSelectObject selectPart(partDC, part);
    partDC.BitBlt(0, 0, width, height, pictureDC, 0, 0, SRCCOPY);
    partDC.BitBlt(0, 0, width, height, maskDC, 0, 0, kDestAndNotSource);
    ::BitBlt(dc, m_rect.left, m_rect.top, width, height, maskDC, 0, 0, SRCAND);
    ::BitBlt(dc, m_rect.left, m_rect.top, width, height, partDC, 0, 0, SRCPAINT);
}
